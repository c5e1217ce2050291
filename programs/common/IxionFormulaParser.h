#pragma once

#include "ParsedFormula.h"

#include <memory>

// The bridge to libixion: the formula is translated to the English form,
// ixion's parser resolves its references, ranges and function names, and the
// resolved tokens are built into the tree the programs calculate with.
class IxionFormulaParser
{
public:
    IxionFormulaParser();
    ~IxionFormulaParser();
    IxionFormulaParser(const IxionFormulaParser &) = delete;
    IxionFormulaParser &operator=(const IxionFormulaParser &) = delete;

    // formula: without its "="; at: the cell it is in (relative references
    // are resolved from there).
    ParsedFormula parse(const QString &formula, CellAddress at);

    static constexpr int maxRows = 1048576;
    static constexpr int maxColumns = 16384;

private:
    struct Private;
    std::unique_ptr<Private> d;
};
