#pragma once

#include "CheckReport.h"
#include "SheetModel.h"

#include <QAbstractTableModel>
#include <QHash>

// Shows a SheetModel in a table view: values in the cells, the typed text
// for editing, formatting, and the green/red marks of the last check.
// Edits are not applied here but handed on, so the owner can keep undo.
class SheetTableModel : public QAbstractTableModel
{
    Q_OBJECT

public:
    // For the delegate, which fits numbers to the column width.
    static constexpr int NumberRole = Qt::UserRole + 1; // the number, if the cell shows one
    static constexpr int FormatRole = Qt::UserRole + 2; // its NumberFormat

    explicit SheetTableModel(SheetModel &sheet, QObject *parent = nullptr);

    int rowCount(const QModelIndex &parent = {}) const override;
    int columnCount(const QModelIndex &parent = {}) const override;
    QVariant data(const QModelIndex &index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;
    Qt::ItemFlags flags(const QModelIndex &index) const override;
    bool setData(const QModelIndex &index, const QVariant &value, int role) override;

    void refresh(); // after the sheet changed: every cell may show a new value
    void setMarks(const CheckReport &report);
    void clearMarks();
    void clearMark(CellAddress cell);

signals:
    void inputEdited(CellAddress cell, const QString &input);

private:
    SheetModel &sheet_;
    QHash<CellAddress, bool> marks_; // true: right, false: wrong
    QHash<CellAddress, QString> messages_;
};
