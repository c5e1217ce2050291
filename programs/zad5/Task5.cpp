#include "Task5.h"

#include "SheetChecker.h"
#include "ValueFormatter.h"

#include <QStringList>

namespace {

struct Good
{
    const char *name;
    const char *category;
    int price;
    int quantity;
};

constexpr Good goods[] = {
    {"Тетрадь 48 л.", "Бумага", 85, 40},   {"Ручка гелевая", "Письмо", 45, 120}, {"Альбом", "Бумага", 130, 15},
    {"Фломастеры", "Рисование", 210, 12}, {"Карандаш", "Письмо", 20, 200},     {"Краски", "Рисование", 340, 8},
    {"Блокнот", "Бумага", 95, 30},        {"Маркер", "Письмо", 75, 60},         {"Кисть", "Рисование", 60, 25},
    {"Бумага А4", "Бумага", 450, 10},
};
constexpr int firstRow = 1; // row 2
constexpr int lastRow = 10; // row 11
constexpr int columns = 4;  // A:D
const QString category = QStringLiteral("Бумага");
const QStringList headers = {QStringLiteral("Товар"), QStringLiteral("Категория"), QStringLiteral("Цена"),
                             QStringLiteral("Кол-во")};

// One row of the list as typed, to find it again wherever sorting put it.
QString rowKey(const SheetModel &sheet, int row)
{
    QStringList cells;
    for (int c = 0; c < columns; ++c)
        cells << SheetChecker::normalizedText(sheet.input({row, c}));
    return cells.join(QLatin1Char('\t'));
}

QString goodKey(const Good &good)
{
    return QStringList{SheetChecker::normalizedText(QString::fromUtf8(good.name)),
                       SheetChecker::normalizedText(QString::fromUtf8(good.category)), QString::number(good.price),
                       QString::number(good.quantity)}
        .join(QLatin1Char('\t'));
}

// Other categories, prices and quantities, whatever order the rows are in.
QList<SheetChecker::Inputs> variants()
{
    return {{{{2, 1}, QStringLiteral("Бумага")}, {{5, 1}, QStringLiteral("Бумага")}, {{3, 2}, QStringLiteral("100")},
             {{4, 2}, QStringLiteral("101")}, {{2, 3}, QStringLiteral("7")}, {{6, 3}, QStringLiteral("13")}}};
}

void checkOrder(SheetChecker &c)
{
    const SheetModel &sheet = c.sheet();
    for (int col = 0; col < columns; ++col) {
        const CellAddress cell{0, col};
        if (SheetChecker::normalizedText(sheet.input(cell)) != SheetChecker::normalizedText(headers.at(col))) {
            c.fail(cell, QStringLiteral("Здесь должен остаться заголовок %1: сортируйте только строки с данными.")
                             .arg(QStringLiteral("«%1»").arg(headers.at(col))));
            return;
        }
    }
    QStringList expected;
    for (const Good &good : goods)
        expected << goodKey(good);
    QStringList found;
    for (int row = firstRow; row <= lastRow; ++row)
        found << rowKey(sheet, row);
    if (found == expected) {
        c.fail(CellAddress::at("C2"), QStringLiteral("Список ещё не отсортирован по убыванию цены."));
        return;
    }
    for (int row = firstRow; row <= lastRow; ++row) {
        if (!expected.contains(found.at(row - firstRow))) {
            c.fail({row, 0}, QStringLiteral("Строка %1 не совпадает ни с одной строкой исходного списка: при "
                                            "сортировке строки должны переставляться целиком. Выделите одну "
                                            "ячейку столбца «Цена» (или всю таблицу без заголовка) и "
                                            "отсортируйте заново; «Начать заново» вернёт исходный список.")
                                 .arg(row + 1));
            return;
        }
    }
    QStringList sortedFound = found;
    QStringList sortedExpected = expected;
    sortedFound.sort();
    sortedExpected.sort();
    if (sortedFound != sortedExpected) {
        c.fail(QStringLiteral("Одни строки списка повторяются, а других нет: отсортируйте исходный список заново."));
        return;
    }
    for (int row = firstRow; row < lastRow; ++row) {
        const double upper = SheetChecker::numberAt(sheet, {row, 2});
        const double lower = SheetChecker::numberAt(sheet, {row + 1, 2});
        if (upper < lower) {
            c.fail({row + 1, 2}, QStringLiteral("Цены должны идти по убыванию, а здесь %1 стоит ниже, чем %2.")
                                     .arg(ValueFormatter::generalNumber(lower), ValueFormatter::generalNumber(upper)));
            return;
        }
    }
    for (int row = firstRow; row <= lastRow; ++row)
        c.pass({row, 2});
}

double sumWhere(const SheetModel &sheet, const std::function<bool(int row)> &take, int column)
{
    double total = 0;
    for (int row = firstRow; row <= lastRow; ++row) {
        if (take(row))
            total += column < 0 ? 1 : SheetChecker::numberAt(sheet, {row, column});
    }
    return total;
}

bool inCategory(const SheetModel &sheet, int row)
{
    return SheetChecker::normalizedText(sheet.displayText({row, 1})) == SheetChecker::normalizedText(category);
}

} // namespace

QString Task5::title() const
{
    return QStringLiteral("Задание 5. Сортировка и выборка данных");
}

QString Task5::description() const
{
    return QStringLiteral(
        "<h3>Задание 5. Сортировка и выборка данных</h3>"
        "<p>В таблице — список товаров магазина канцтоваров.</p>"
        "<ol>"
        "<li><b>Отсортируйте список по убыванию цены.</b> Щёлкните любую ячейку столбца «Цена» "
        "(например, C2) и нажмите «Сортировка ↓». Строки переставятся целиком, заголовок останется на месте.</li>"
        "<li>В <b>G2</b> посчитайте, сколько в списке товаров категории «Бумага»: "
        "<code>=СЧЁТЕСЛИ(B2:B11;\"Бумага\")</code>.</li>"
        "<li>В <b>G3</b> найдите, сколько всего штук товаров этой категории: "
        "<code>=СУММЕСЛИ(B2:B11;\"Бумага\";D2:D11)</code> — функция складывает количества только тех строк, "
        "где в столбце B стоит «Бумага».</li>"
        "<li>В <b>G4</b> посчитайте, сколько товаров дороже 100 рублей: "
        "<code>=СЧЁТЕСЛИ(C2:C11;\"&gt;100\")</code>.</li>"
        "</ol>"
        "<p><b>Внимание:</b> если выделить и отсортировать один столбец, он перемешается отдельно от "
        "остальных, и названия товаров перестанут соответствовать ценам. Если так случилось, нажмите "
        "«Отменить».</p>"
        "<p>Когда закончите, нажмите <b>«Проверить»</b>.</p>");
}

void Task5::prepare(SheetModel &sheet) const
{
    QList<QPair<CellAddress, QString>> inputs = {
        {CellAddress::at("F2"), QStringLiteral("Товаров «Бумага»")},
        {CellAddress::at("F3"), QStringLiteral("Штук «Бумага»")},
        {CellAddress::at("F4"), QStringLiteral("Дороже 100 руб.")},
    };
    for (int col = 0; col < columns; ++col)
        inputs.append({{0, col}, headers.at(col)});
    for (int i = 0; i <= lastRow - firstRow; ++i) {
        const Good &good = goods[i];
        inputs.append({{firstRow + i, 0}, QString::fromUtf8(good.name)});
        inputs.append({{firstRow + i, 1}, QString::fromUtf8(good.category)});
        inputs.append({{firstRow + i, 2}, QString::number(good.price)});
        inputs.append({{firstRow + i, 3}, QString::number(good.quantity)});
    }
    sheet.setInputs(inputs);
    CellFormat header;
    header.bold = true;
    header.align = HorizontalAlign::Center;
    for (int col = 0; col < columns; ++col)
        sheet.setFormat({0, col}, header);
}

CheckReport Task5::check(const SheetModel &sheet) const
{
    SheetChecker c(sheet, variants());
    checkOrder(c);

    const CellAddress count = CellAddress::at("G2");
    if (c.formula(count) && c.function(count, QStringLiteral("COUNTIF"), CellRange::at("B2:B11"))
        && c.value(count, [](const SheetModel &s) {
               return CellValue::number(sumWhere(s, [&s](int row) { return inCategory(s, row); }, -1));
           }))
        c.pass(count);

    const CellAddress pieces = CellAddress::at("G3");
    if (c.formula(pieces) && c.function(pieces, QStringLiteral("SUMIF"), CellRange::at("B2:B11"))
        && c.value(pieces, [](const SheetModel &s) {
               return CellValue::number(sumWhere(s, [&s](int row) { return inCategory(s, row); }, 3));
           }))
        c.pass(pieces);

    const CellAddress dear = CellAddress::at("G4");
    if (c.formula(dear) && c.function(dear, QStringLiteral("COUNTIF"), CellRange::at("C2:C11"))
        && c.value(dear, [](const SheetModel &s) {
               return CellValue::number(
                   sumWhere(s, [&s](int row) { return SheetChecker::numberAt(s, {row, 2}) > 100; }, -1));
           }))
        c.pass(dear);
    return c.report();
}
