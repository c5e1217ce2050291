#include "Task1.h"

#include "SheetChecker.h"

#include <QLocale>
#include <QStringList>

namespace {

struct Item
{
    const char *name;
    double price;
    double quantity;
};

constexpr Item items[] = {
    {"Тетрадь", 45.5, 10}, {"Ручка", 30, 12}, {"Карандаш", 15.2, 20}, {"Линейка", 42, 5}, {"Ластик", 18.9, 8},
};
constexpr int firstRow = 1; // row 2
constexpr int totalRow = 6; // row 7
const QStringList headers = {QStringLiteral("Товар"), QStringLiteral("Цена"), QStringLiteral("Количество"),
                             QStringLiteral("Сумма")};
const QList<NumberFormat> twoDecimals = {NumberFormat::Fixed2, NumberFormat::Money};
const QString twoDecimalsHint = QStringLiteral("Задайте формат «Числовой 0,00»: два знака после запятой.");

CellAddress at(int row, int column)
{
    return {row, column};
}

// Other prices and quantities: the sums must follow them.
QList<SheetChecker::Inputs> variants()
{
    SheetChecker::Inputs prices;
    SheetChecker::Inputs quantities;
    for (int i = 0; i < 5; ++i) {
        prices.append({at(firstRow + i, 1), QString::number(11 + 7 * i)});
        quantities.append({at(firstRow + i, 2), QString::number(3 + 2 * i)});
    }
    return {prices, quantities};
}

double sumOfRow(const SheetModel &sheet, int row)
{
    return SheetChecker::numberAt(sheet, at(row, 1)) * SheetChecker::numberAt(sheet, at(row, 2));
}

} // namespace

QString Task1::title() const
{
    return QStringLiteral("Задание 1. Заполнение и оформление таблицы");
}

QString Task1::description() const
{
    QString rows;
    for (const Item &item : items) {
        rows += QStringLiteral("<tr><td>%1</td><td align='right'>%2</td><td align='right'>%3</td></tr>")
                    .arg(QString::fromUtf8(item.name), QLocale(QLocale::Russian).toString(item.price, 'f', item.price == int(item.price) ? 0 : 2))
                    .arg(item.quantity);
    }
    return QStringLiteral(
               "<h3>Задание 1. Заполнение и оформление таблицы</h3>"
               "<p>Составьте таблицу «Покупка канцтоваров» и подсчитайте, сколько стоит покупка.</p>"
               "<ol>"
               "<li>В ячейки <b>A1:D1</b> введите заголовки: Товар, Цена, Количество, Сумма.</li>"
               "<li>В строки 2–6 введите данные (дробную часть отделяйте запятой):"
               "<table border='1' cellspacing='0' cellpadding='3'>"
               "<tr><th>Товар</th><th>Цена</th><th>Количество</th></tr>%1</table></li>"
               "<li>В <b>D2</b> введите формулу <code>=B2*C2</code> и скопируйте её в D3:D6: выделите D2:D6 "
               "и нажмите «Заполнить вниз» (или «Копировать» в D2 и «Вставить» в D3:D6).</li>"
               "<li>В <b>A7</b> напишите «Итого», в <b>D7</b> — формулу суммы <code>=СУММ(D2:D6)</code>.</li>"
               "<li>Оформите таблицу: заголовки — полужирные и по центру; цены (B2:B6) и суммы (D2:D7) — "
               "в формате «Числовой 0,00»; строка «Итого» (A7 и D7) — полужирная.</li>"
               "</ol>"
               "<p>Формула начинается со знака «=». Готовые числа вместо формул не засчитываются: "
               "сумма должна пересчитываться, если изменить цену или количество.</p>"
               "<p>Когда закончите, нажмите <b>«Проверить»</b>.</p>")
        .arg(rows);
}

void Task1::prepare(SheetModel &) const
{
    // The student builds the table from an empty sheet.
}

CheckReport Task1::check(const SheetModel &sheet) const
{
    SheetChecker c(sheet, variants());
    for (int col = 0; col < headers.size(); ++col) {
        const CellAddress cell = at(0, col);
        if (c.text(cell, headers.at(col)) && c.bold(cell) && c.centered(cell))
            c.pass(cell);
    }
    for (int i = 0; i < 5; ++i) {
        const int row = firstRow + i;
        const Item &item = items[i];
        if (c.text(at(row, 0), QString::fromUtf8(item.name)))
            c.pass(at(row, 0));
        if (c.number(at(row, 1), item.price) && c.numberFormat(at(row, 1), twoDecimals, twoDecimalsHint))
            c.pass(at(row, 1));
        if (c.number(at(row, 2), item.quantity))
            c.pass(at(row, 2));
        const CellAddress sum = at(row, 3);
        if (c.formula(sum) && c.value(sum, [row](const SheetModel &s) { return CellValue::number(sumOfRow(s, row)); })
            && c.numberFormat(sum, twoDecimals, twoDecimalsHint))
            c.pass(sum);
    }
    const CellAddress label = at(totalRow, 0);
    if (c.text(label, QStringLiteral("Итого")) && c.bold(label))
        c.pass(label);
    const CellAddress total = at(totalRow, 3);
    const auto totalValue = [](const SheetModel &s) {
        double sum = 0;
        for (int i = 0; i < 5; ++i)
            sum += sumOfRow(s, firstRow + i);
        return CellValue::number(sum);
    };
    if (c.formula(total) && c.function(total, QStringLiteral("SUM"), CellRange::at("D2:D6"))
        && c.value(total, totalValue) && c.numberFormat(total, twoDecimals, twoDecimalsHint) && c.bold(total))
        c.pass(total);
    return c.report();
}
