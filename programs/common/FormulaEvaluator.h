#pragma once

#include "CellRange.h"
#include "CellSource.h"
#include "FormulaNode.h"

#include <QList>

#include <optional>

// Calculates a parsed formula with spreadsheet rules (empty cells are 0,
// texts in ranges are skipped, errors pass on). ixion 0.17 parses our
// formulas but its own calculation is not used: see the README.
class FormulaEvaluator
{
public:
    FormulaEvaluator(const CellSource &cells, CellAddress at);

    // The value the cell shows: an empty result is 0, a range is cut down to
    // the cell in the formula's row or column.
    CellValue evaluate(const FormulaNode &root) const;

    // A value, or a range of cells a function may walk through.
    struct Operand
    {
        CellValue value;
        std::optional<CellRange> range;
    };

    Operand operand(const FormulaNode &node) const;
    CellValue scalar(const FormulaNode &node) const;
    CellValue reduce(const Operand &operand) const;
    CellValue cell(CellAddress address) const;
    // The part of the range inside the sheet; nullopt when none is.
    std::optional<CellRange> clipped(const CellRange &range) const;
    QList<CellValue> rangeValues(const CellRange &range) const;

private:
    CellValue unary(const FormulaNode &node) const;
    CellValue binary(const FormulaNode &node) const;

    const CellSource &cells_;
    CellAddress at_;
};
