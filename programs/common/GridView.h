#pragma once

#include <QTableView>

// The table of the spreadsheet, with a spreadsheet's keys: Enter confirms
// and moves down, Delete clears the selected cells.
class GridView : public QTableView
{
    Q_OBJECT

public:
    explicit GridView(QWidget *parent = nullptr);

    void moveDown();

signals:
    void clearRequested();

protected:
    void keyPressEvent(QKeyEvent *event) override;
    void closeEditor(QWidget *editor, QAbstractItemDelegate::EndEditHint hint) override;
};
