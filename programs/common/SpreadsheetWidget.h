#pragma once

#include "SheetModel.h"

#include <QVector>
#include <QWidget>

#include <functional>
#include <optional>

class CheckReport;
class GridView;
class QAction;
class QComboBox;
class QLabel;
class QLineEdit;
class SheetTableModel;

// A small spreadsheet: a toolbar, the name box and formula bar, and the
// grid. Cells show values; the formula bar shows what the selected cell
// holds. Copying and filling move relative references as a spreadsheet
// does, which is what the exercises on references rely on.
class SpreadsheetWidget : public QWidget
{
    Q_OBJECT

public:
    SpreadsheetWidget(int rows, int columns, QWidget *parent = nullptr);
    ~SpreadsheetWidget() override;

    SheetModel &sheet() { return sheet_; }
    const SheetModel &sheet() const { return sheet_; }
    GridView *view() const { return view_; }

    void sheetReplaced(); // after the owner changed the sheet directly
    void setColumnWidths(const QList<int> &widths);
    void setSortingVisible(bool visible);
    void showReport(const CheckReport &report);
    void clearMarks();
    void selectCell(CellAddress cell);
    void selectRange(const CellRange &range);

    // The actions of the toolbar, also reachable from tests.
    void undo();
    void copySelection();
    void paste();
    void fillDown();
    void clearSelection();
    void toggleBold();
    void toggleItalic();
    void setAlignment(HorizontalAlign align);
    void setNumberFormat(NumberFormat format);
    void sortSelection(bool ascending);
    void setCellInput(CellAddress cell, const QString &input);

signals:
    void edited();

private:
    struct Clipboard
    {
        CellRange source;
        QVector<QString> inputs;
        QVector<CellFormat> formats;
    };

    CellRange selectedRange() const;
    CellAddress currentCell() const;
    void remember(); // for undo, before every change
    void changed();
    void applyInputs(const QList<QPair<CellAddress, QString>> &inputs);
    void changeFormats(const std::function<void(CellFormat &)> &change);
    void showCurrentCell();
    void commitFormulaBar();

    SheetModel sheet_;
    SheetTableModel *model_ = nullptr;
    GridView *view_ = nullptr;
    QLabel *nameBox_ = nullptr;
    QLineEdit *formulaBar_ = nullptr;
    QComboBox *numberFormats_ = nullptr;
    QList<QAction *> sortActions_;
    QList<SheetModel::Snapshot> undo_;
    std::optional<Clipboard> clipboard_;
};
