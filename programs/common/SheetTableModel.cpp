#include "SheetTableModel.h"

#include <QBrush>
#include <QColor>
#include <QFont>

SheetTableModel::SheetTableModel(SheetModel &sheet, QObject *parent)
    : QAbstractTableModel(parent)
    , sheet_(sheet)
{
}

int SheetTableModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : sheet_.rowCount();
}

int SheetTableModel::columnCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : sheet_.columnCount();
}

QVariant SheetTableModel::data(const QModelIndex &index, int role) const
{
    if (!index.isValid())
        return {};
    const CellAddress cell{index.row(), index.column()};
    const CellFormat format = sheet_.format(cell);
    switch (role) {
    case Qt::DisplayRole:
        return sheet_.displayText(cell);
    case Qt::EditRole:
        return sheet_.input(cell);
    case Qt::TextAlignmentRole: {
        Qt::Alignment horizontal = Qt::AlignLeft;
        switch (format.align) {
        case HorizontalAlign::Left: horizontal = Qt::AlignLeft; break;
        case HorizontalAlign::Center: horizontal = Qt::AlignHCenter; break;
        case HorizontalAlign::Right: horizontal = Qt::AlignRight; break;
        case HorizontalAlign::Auto: {
            // As a spreadsheet does: numbers right, errors and logical values centred.
            const CellValue value = sheet_.cellValue(cell);
            if (value.isNumber())
                horizontal = Qt::AlignRight;
            else if (value.isError() || value.isBoolean())
                horizontal = Qt::AlignHCenter;
            break;
        }
        }
        return QVariant::fromValue(horizontal | Qt::AlignVCenter);
    }
    case Qt::FontRole:
        if (format.bold || format.italic) {
            QFont font;
            font.setBold(format.bold);
            font.setItalic(format.italic);
            return font;
        }
        return {};
    case Qt::BackgroundRole: {
        const auto mark = marks_.constFind(cell);
        if (mark == marks_.constEnd())
            return {};
        return QBrush(*mark ? QColor(0xd4, 0xf0, 0xd4) : QColor(0xf8, 0xcc, 0xcc));
    }
    case Qt::ToolTipRole: {
        const QString message = messages_.value(cell);
        const QString note = sheet_.note(cell);
        if (message.isEmpty())
            return note.isEmpty() ? QVariant() : QVariant(note);
        return note.isEmpty() ? message : message + QLatin1Char('\n') + note;
    }
    case NumberRole: {
        const CellValue value = sheet_.cellValue(cell);
        return value.isNumber() ? QVariant(value.numberValue()) : QVariant();
    }
    case FormatRole:
        return int(format.numberFormat);
    default:
        return {};
    }
}

QVariant SheetTableModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (role != Qt::DisplayRole)
        return QAbstractTableModel::headerData(section, orientation, role);
    return orientation == Qt::Horizontal ? CellAddress::columnName(section) : QString::number(section + 1);
}

Qt::ItemFlags SheetTableModel::flags(const QModelIndex &index) const
{
    return QAbstractTableModel::flags(index) | Qt::ItemIsEditable;
}

bool SheetTableModel::setData(const QModelIndex &index, const QVariant &value, int role)
{
    if (!index.isValid() || role != Qt::EditRole)
        return false;
    emit inputEdited({index.row(), index.column()}, value.toString());
    return true;
}

void SheetTableModel::refresh()
{
    emit dataChanged(index(0, 0), index(rowCount() - 1, columnCount() - 1));
}

void SheetTableModel::setMarks(const CheckReport &report)
{
    marks_.clear();
    messages_.clear();
    for (const CellAddress &cell : report.rightCells())
        marks_.insert(cell, true);
    for (const CellAddress &cell : report.wrongCells()) {
        marks_.insert(cell, false);
        messages_.insert(cell, report.messageFor(cell));
    }
    refresh();
}

void SheetTableModel::clearMarks()
{
    marks_.clear();
    messages_.clear();
    refresh();
}

void SheetTableModel::clearMark(CellAddress cell)
{
    marks_.remove(cell);
    messages_.remove(cell);
}
