#include "Task2.h"

#include "SheetChecker.h"

namespace {

struct Branch
{
    const char *name;
    int revenue;
};

constexpr Branch branches[] = {
    {"Центральный", 125000}, {"Северный", 98000}, {"Южный", 143500},
    {"Западный", 76000},     {"Восточный", 110000}, {"Заречный", 47500},
};
constexpr int firstRow = 1;  // row 2
constexpr int lastRow = 6;   // row 7
constexpr int totalRow = 7;  // row 8
const CellAddress total = CellAddress::at("B8");

QList<SheetChecker::Inputs> variants()
{
    SheetChecker::Inputs changed;
    for (int row = firstRow; row <= lastRow; ++row)
        changed.append({{row, 1}, QString::number(10000 * (row + 3))});
    return {changed};
}

CellValue share(const SheetModel &sheet, int row)
{
    const double sum = SheetChecker::numberAt(sheet, total);
    if (sum == 0)
        return CellValue::error(CellError::DivisionByZero);
    return CellValue::number(SheetChecker::numberAt(sheet, {row, 1}) / sum);
}

} // namespace

QString Task2::title() const
{
    return QStringLiteral("Задание 2. Относительные и абсолютные ссылки");
}

QString Task2::description() const
{
    return QStringLiteral(
        "<h3>Задание 2. Относительные и абсолютные ссылки</h3>"
        "<p>В таблице — выручка шести филиалов. Посчитайте общую выручку и долю каждого филиала в ней.</p>"
        "<ol>"
        "<li>В <b>B8</b> найдите итог: <code>=СУММ(B2:B7)</code>.</li>"
        "<li>В <b>C2</b> введите долю первого филиала: выручка, делённая на итог, — "
        "<code>=B2/$B$8</code>.</li>"
        "<li>Скопируйте C2 в ячейки C3:C7: выделите C2, нажмите «Копировать», выделите C3:C7 и нажмите "
        "«Вставить» (или выделите C2:C7 и нажмите «Заполнить вниз»).</li>"
        "<li>Задайте ячейкам C2:C7 формат «Процентный %».</li>"
        "</ol>"
        "<p><b>Почему $B$8?</b> При копировании формулы вниз относительные ссылки сдвигаются: "
        "в C3 ссылка B2 станет B3 — так и нужно. Но итог всегда в B8: без знаков $ ссылка превратится в B9, "
        "где пусто, и получится ошибка #ДЕЛ/0!. Знак $ перед номером строки закрепляет её "
        "(можно написать $B$8 или B$8).</p>"
        "<p>Посмотрите, какие формулы получились в C3:C7 после копирования, и нажмите <b>«Проверить»</b>.</p>");
}

void Task2::prepare(SheetModel &sheet) const
{
    QList<QPair<CellAddress, QString>> inputs = {
        {CellAddress::at("A1"), QStringLiteral("Филиал")},
        {CellAddress::at("B1"), QStringLiteral("Выручка, руб.")},
        {CellAddress::at("C1"), QStringLiteral("Доля в итоге")},
        {CellAddress::at("A8"), QStringLiteral("Итого")},
    };
    for (int i = 0; i <= lastRow - firstRow; ++i) {
        inputs.append({{firstRow + i, 0}, QString::fromUtf8(branches[i].name)});
        inputs.append({{firstRow + i, 1}, QString::number(branches[i].revenue)});
    }
    sheet.setInputs(inputs);
    CellFormat header;
    header.bold = true;
    header.align = HorizontalAlign::Center;
    for (const char *cell : {"A1", "B1", "C1"})
        sheet.setFormat(CellAddress::at(cell), header);
    CellFormat bold;
    bold.bold = true;
    sheet.setFormat(CellAddress::at("A8"), bold);
    sheet.setFormat(total, bold);
}

CheckReport Task2::check(const SheetModel &sheet) const
{
    SheetChecker c(sheet, variants());
    const auto totalValue = [](const SheetModel &s) {
        double sum = 0;
        for (int row = firstRow; row <= lastRow; ++row)
            sum += SheetChecker::numberAt(s, {row, 1});
        return CellValue::number(sum);
    };
    if (c.formula(total) && c.function(total, QStringLiteral("SUM"), CellRange::at("B2:B7"))
        && c.value(total, totalValue))
        c.pass(total);
    for (int row = firstRow; row <= lastRow; ++row) {
        const CellAddress cell{row, 2};
        const CellAddress revenue{row, 1};
        const QString moved = QStringLiteral(
            "Формула должна делить на итог из B8, а ссылки на B8 в ней нет. Если формулу скопировали из C2 "
            "без знаков $, ссылка на итог сдвинулась вместе с ней. Закрепите её: =%1/$B$8.").arg(revenue.name());
        // References first: a total moved by copying also divides by zero, and
        // the reference says why.
        if (c.hasFormula(cell) && c.reference(cell, revenue, SheetChecker::Anchor::Relative)
            && c.reference(cell, total, SheetChecker::Anchor::FixedRow, moved) && c.formula(cell)
            && c.value(cell, [row](const SheetModel &s) { return share(s, row); })
            && c.numberFormat(cell, {NumberFormat::Percent},
                              QStringLiteral("Задайте формат «Процентный %»: доля покажется в процентах.")))
            c.pass(cell);
    }
    return c.report();
}
