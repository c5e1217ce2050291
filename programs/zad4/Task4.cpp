#include "Task4.h"

#include "SheetChecker.h"

namespace {

struct Pupil
{
    const char *name;
    int first;
    int second;
};

// On purpose: a sum of exactly 100, a test of exactly 50 and one just below.
constexpr Pupil pupils[] = {
    {"Антонов Глеб", 62, 71},  {"Борисова Ева", 40, 60},   {"Волков Денис", 50, 55},
    {"Гусева Нина", 49, 80},   {"Дмитриев Лев", 35, 48},   {"Ершова Вера", 90, 45},
    {"Захаров Иван", 75, 50},  {"Исаева Алина", 30, 69},
};
constexpr int firstRow = 1; // row 2
constexpr int lastRow = 8;  // row 9
const QString passed = QStringLiteral("зачёт");
const QString failed = QStringLiteral("незачёт");

// Scores moved across both thresholds, so a wrong comparison shows.
QList<SheetChecker::Inputs> variants()
{
    constexpr int first[] = {50, 100, 51, 20, 50, 0, 99, 60};
    constexpr int second[] = {50, 0, 48, 80, 49, 100, 1, 40};
    SheetChecker::Inputs changed;
    for (int i = 0; i <= lastRow - firstRow; ++i) {
        changed.append({{firstRow + i, 1}, QString::number(first[i])});
        changed.append({{firstRow + i, 2}, QString::number(second[i])});
    }
    return {changed};
}

double score(const SheetModel &sheet, int row, int column)
{
    return SheetChecker::numberAt(sheet, {row, column});
}

} // namespace

QString Task4::title() const
{
    return QStringLiteral("Задание 4. Логическая функция ЕСЛИ");
}

QString Task4::description() const
{
    return QStringLiteral(
        "<h3>Задание 4. Логическая функция ЕСЛИ</h3>"
        "<p>Ученики написали два теста (столбцы B и C, до 100 баллов каждый).</p>"
        "<ol>"
        "<li>В <b>D2:D9</b> выведите итог: «зачёт», если сумма баллов за оба теста <b>не меньше 100</b>, "
        "иначе «незачёт». В D2: <code>=ЕСЛИ(B2+C2&gt;=100;\"зачёт\";\"незачёт\")</code>, затем "
        "скопируйте формулу вниз до D9.</li>"
        "<li>В <b>E2:E9</b> рассчитайте премию: 500, если <b>за каждый</b> тест не меньше 50 баллов, "
        "иначе 0. Оба условия сразу проверяет функция И: "
        "<code>=ЕСЛИ(И(B2&gt;=50;C2&gt;=50);500;0)</code>.</li>"
        "</ol>"
        "<p>У функции ЕСЛИ три аргумента: условие; что вывести, если оно выполнено; что вывести, если нет. "
        "Текст в формуле берётся в кавычки. «Не меньше» — это знак <code>&gt;=</code>.</p>"
        "<p>Когда закончите, нажмите <b>«Проверить»</b>.</p>");
}

void Task4::prepare(SheetModel &sheet) const
{
    QList<QPair<CellAddress, QString>> inputs = {
        {CellAddress::at("A1"), QStringLiteral("Ученик")}, {CellAddress::at("B1"), QStringLiteral("Тест 1")},
        {CellAddress::at("C1"), QStringLiteral("Тест 2")}, {CellAddress::at("D1"), QStringLiteral("Итог")},
        {CellAddress::at("E1"), QStringLiteral("Премия")},
    };
    for (int i = 0; i <= lastRow - firstRow; ++i) {
        inputs.append({{firstRow + i, 0}, QString::fromUtf8(pupils[i].name)});
        inputs.append({{firstRow + i, 1}, QString::number(pupils[i].first)});
        inputs.append({{firstRow + i, 2}, QString::number(pupils[i].second)});
    }
    sheet.setInputs(inputs);
    CellFormat header;
    header.bold = true;
    header.align = HorizontalAlign::Center;
    for (const char *cell : {"A1", "B1", "C1", "D1", "E1"})
        sheet.setFormat(CellAddress::at(cell), header);
}

CheckReport Task4::check(const SheetModel &sheet) const
{
    SheetChecker c(sheet, variants());
    const QString ifName = QStringLiteral("IF");
    for (int row = firstRow; row <= lastRow; ++row) {
        const CellAddress result{row, 3};
        const auto verdict = [row](const SheetModel &s) {
            return CellValue::text(score(s, row, 1) + score(s, row, 2) >= 100 ? passed : failed);
        };
        if (c.formula(result) && c.function(result, ifName) && c.value(result, verdict))
            c.pass(result);
        const CellAddress bonus{row, 4};
        const auto amount = [row](const SheetModel &s) {
            return CellValue::number(score(s, row, 1) >= 50 && score(s, row, 2) >= 50 ? 500 : 0);
        };
        if (c.formula(bonus) && c.function(bonus, ifName) && c.value(bonus, amount))
            c.pass(bonus);
    }
    return c.report();
}
