#include "Task3.h"

#include "SheetChecker.h"
#include <algorithm>
#include <functional>

namespace {

struct Pupil
{
    const char *name;
    const char *points; // "н/я": did not sit the test
};

constexpr Pupil pupils[] = {
    {"Алексеев Павел", "78"}, {"Белова Анна", "92"},  {"Васильев Олег", "65"},   {"Григорьева Мария", "88"},
    {"Денисов Илья", "н/я"},  {"Егорова Софья", "71"}, {"Жуков Артём", "54"},     {"Зайцева Ольга", "97"},
    {"Иванов Кирилл", "83"},  {"Королёва Дарья", "60"},
};
constexpr int firstRow = 1; // row 2
constexpr int lastRow = 10; // row 11
const CellRange points = CellRange::at("B2:B11");

struct Question
{
    const char *label;
    const char *function;
    std::function<CellValue(const QList<double> &)> expected;
};

QList<double> numbersIn(const SheetModel &sheet)
{
    QList<double> numbers;
    for (int row = firstRow; row <= lastRow; ++row) {
        const CellValue v = sheet.cellValue({row, 1});
        if (v.isNumber())
            numbers.append(v.numberValue());
    }
    return numbers;
}

double sum(const QList<double> &v)
{
    double s = 0;
    for (double x : v)
        s += x;
    return s;
}

const QList<Question> &questions()
{
    static const QList<Question> list = {
        {"Сумма баллов", "SUM", [](const QList<double> &v) { return CellValue::number(sum(v)); }},
        {"Средний балл", "AVERAGE", [](const QList<double> &v) {
             return v.isEmpty() ? CellValue::error(CellError::DivisionByZero) : CellValue::number(sum(v) / v.size());
         }},
        {"Наименьший балл", "MIN", [](const QList<double> &v) {
             return CellValue::number(v.isEmpty() ? 0 : *std::min_element(v.begin(), v.end()));
         }},
        {"Наибольший балл", "MAX", [](const QList<double> &v) {
             return CellValue::number(v.isEmpty() ? 0 : *std::max_element(v.begin(), v.end()));
         }},
        {"Писали работу, чел.", "COUNT", [](const QList<double> &v) { return CellValue::number(v.size()); }},
    };
    return list;
}

// Other marks, and another pupil absent: every answer changes.
QList<SheetChecker::Inputs> variants()
{
    SheetChecker::Inputs changed;
    for (int row = firstRow; row <= lastRow; ++row)
        changed.append({{row, 1}, QString::number(40 + 6 * row)});
    changed.append({{3, 1}, QStringLiteral("н/я")});
    changed.append({{9, 1}, QStringLiteral("н/я")});
    return {changed};
}

} // namespace

QString Task3::title() const
{
    return QStringLiteral("Задание 3. Функции СУММ, СРЗНАЧ, МИН, МАКС и СЧЁТ");
}

QString Task3::description() const
{
    return QStringLiteral(
        "<h3>Задание 3. Функции СУММ, СРЗНАЧ, МИН, МАКС и СЧЁТ</h3>"
        "<p>В столбце B — баллы за контрольную работу. Денисов работу не писал: у него «н/я».</p>"
        "<p>Заполните ячейки <b>E2:E6</b> формулами с функциями, каждая — по диапазону <b>B2:B11</b>:</p>"
        "<table border='1' cellspacing='0' cellpadding='3'>"
        "<tr><th>Ячейка</th><th>Что найти</th><th>Функция</th></tr>"
        "<tr><td>E2</td><td>сумму баллов</td><td>СУММ</td></tr>"
        "<tr><td>E3</td><td>средний балл</td><td>СРЗНАЧ</td></tr>"
        "<tr><td>E4</td><td>наименьший балл</td><td>МИН</td></tr>"
        "<tr><td>E5</td><td>наибольший балл</td><td>МАКС</td></tr>"
        "<tr><td>E6</td><td>сколько учеников писали работу</td><td>СЧЁТ</td></tr>"
        "</table>"
        "<p>Например: <code>=СУММ(B2:B11)</code>. Аргументы разделяются точкой с запятой, диапазон "
        "записывается через двоеточие. Обратите внимание: СЧЁТ считает только ячейки с числами, "
        "поэтому «н/я» не попадёт в счёт, а СРЗНАЧ не учтёт его в среднем.</p>"
        "<p>Когда закончите, нажмите <b>«Проверить»</b>.</p>");
}

void Task3::prepare(SheetModel &sheet) const
{
    QList<QPair<CellAddress, QString>> inputs = {
        {CellAddress::at("A1"), QStringLiteral("Ученик")},
        {CellAddress::at("B1"), QStringLiteral("Баллы")},
        {CellAddress::at("D1"), QStringLiteral("Показатель")},
        {CellAddress::at("E1"), QStringLiteral("Значение")},
    };
    for (int i = 0; i <= lastRow - firstRow; ++i) {
        inputs.append({{firstRow + i, 0}, QString::fromUtf8(pupils[i].name)});
        inputs.append({{firstRow + i, 1}, QString::fromUtf8(pupils[i].points)});
    }
    for (int i = 0; i < questions().size(); ++i)
        inputs.append({{firstRow + i, 3}, QString::fromUtf8(questions().at(i).label)});
    sheet.setInputs(inputs);
    CellFormat header;
    header.bold = true;
    header.align = HorizontalAlign::Center;
    for (const char *cell : {"A1", "B1", "D1", "E1"})
        sheet.setFormat(CellAddress::at(cell), header);
    CellFormat right;
    right.align = HorizontalAlign::Right;
    for (int row = firstRow; row <= lastRow; ++row)
        sheet.setFormat({row, 1}, right); // "н/я" lines up with the numbers
}

CheckReport Task3::check(const SheetModel &sheet) const
{
    SheetChecker c(sheet, variants());
    for (int i = 0; i < questions().size(); ++i) {
        const Question &q = questions().at(i);
        const CellAddress cell{firstRow + i, 4};
        const auto expected = [&q](const SheetModel &s) { return q.expected(numbersIn(s)); };
        if (c.formula(cell) && c.function(cell, QString::fromLatin1(q.function), points) && c.value(cell, expected))
            c.pass(cell);
    }
    return c.report();
}
