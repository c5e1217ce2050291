#include "CellDelegate.h"

#include "CellFormat.h"
#include "SheetTableModel.h"
#include "ValueFormatter.h"

#include <QFontMetrics>

void CellDelegate::initStyleOption(QStyleOptionViewItem *option, const QModelIndex &index) const
{
    QStyledItemDelegate::initStyleOption(option, index);
    const QVariant number = index.data(SheetTableModel::NumberRole);
    if (!number.isValid())
        return;
    const QFontMetrics metrics(option->font);
    const int room = option->rect.width() - 8; // the cell's text margins
    const bool general = index.data(SheetTableModel::FormatRole).toInt() == int(NumberFormat::General);
    for (int digits = 9; general && digits >= 2 && metrics.horizontalAdvance(option->text) > room; --digits)
        option->text = ValueFormatter::generalNumber(number.toDouble(), digits);
    if (metrics.horizontalAdvance(option->text) > room)
        option->text = QStringLiteral("###");
}
