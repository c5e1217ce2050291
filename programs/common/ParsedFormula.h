#pragma once

#include "CellRange.h"
#include "FormulaNode.h"

#include <QList>

// A formula read from a cell: its syntax tree, or why it could not be read.
struct ParsedFormula
{
    QString source;     // as typed, without "="
    QString translated; // as handed to ixion
    QString error;      // empty when the formula was read
    FormulaNode root;

    bool ok() const { return error.isEmpty(); }

    // What the checker looks at: the functions called, the cells and ranges named.
    QList<const FormulaNode *> calls(const QString &englishName = {}) const;
    QList<CellReference> references() const;
    QList<const FormulaNode *> ranges() const;
    bool refersToCells() const;

    // Cells whose values the formula reads, limited to the sheet's size.
    QList<CellAddress> precedents(int rows, int columns) const;
};
