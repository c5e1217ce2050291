#pragma once

#include <QStyledItemDelegate>

// Draws numbers as a spreadsheet does in a narrow column: in the general
// format with fewer digits, and as "###" when even that does not fit,
// instead of cutting the number off with "…".
class CellDelegate : public QStyledItemDelegate
{
    Q_OBJECT

public:
    using QStyledItemDelegate::QStyledItemDelegate;

protected:
    void initStyleOption(QStyleOptionViewItem *option, const QModelIndex &index) const override;
};
