#pragma once

#include "CellFormat.h"
#include "CellRange.h"
#include "CellSource.h"
#include "InputParser.h"
#include "ParsedFormula.h"

#include <QList>
#include <QPair>
#include <QVector>

#include <memory>

class IxionFormulaParser;

// The sheet of an exercise: what was typed in each cell, how it is
// formatted and what it shows. Every change recalculates the whole sheet
// (exercise sheets are small); circular references are found first, so a
// cycle never hangs the calculation. Copies are cheap and independent.
class SheetModel : public CellSource
{
public:
    SheetModel(int rows, int columns);

    int rowCount() const override { return rows_; }
    int columnCount() const override { return columns_; }
    CellValue cellValue(CellAddress cell) const override;
    bool contains(CellAddress cell) const;

    void setInput(CellAddress cell, const QString &input);
    void setInputs(const QList<QPair<CellAddress, QString>> &inputs);
    QString input(CellAddress cell) const;
    InputParser::Kind inputKind(CellAddress cell) const;
    const ParsedFormula *formula(CellAddress cell) const; // null unless a formula
    QString displayText(CellAddress cell) const;
    QString note(CellAddress cell) const; // why the cell shows an error, if it does

    CellFormat format(CellAddress cell) const;
    void setFormat(CellAddress cell, const CellFormat &format);

    // The block of filled cells around a cell, as Ctrl+* selects it.
    CellRange currentRegion(CellAddress cell) const;
    // Reorders whole rows of the range by one column; formulas move as if copied.
    void sortRows(const CellRange &range, int keyColumn, bool ascending);

    struct Snapshot
    {
        QVector<QString> inputs;
        QVector<CellFormat> formats;
    };
    Snapshot snapshot() const;
    void restore(const Snapshot &snapshot);

    static constexpr int maxInputLength = 8192;

private:
    struct Cell
    {
        QString input;
        InputParser::Kind kind = InputParser::Kind::Empty;
        std::shared_ptr<const ParsedFormula> formula;
        CellValue value;
        CellFormat format;
    };

    int index(CellAddress cell) const { return cell.row * columns_ + cell.column; }
    void store(CellAddress cell, const QString &input);
    void recalculate();
    QList<QList<int>> formulaCellsInOrder() const;

    std::shared_ptr<IxionFormulaParser> parser_;
    int rows_;
    int columns_;
    QVector<Cell> cells_;
};
