#pragma once

#include "FormulaNode.h"

// A token as the ixion parser resolved it, in the programs' own terms, so
// that building the syntax tree needs no ixion types.
struct FormulaToken
{
    enum class Kind {
        Number,
        Text,
        Reference,
        Range,
        BadReference, // on another sheet or outside the sheet
        Function,     // a known function name (ixion's English spelling)
        Name,
        Open,
        Close,
        Separator,
        Operator,
        Invalid,
    };

    Kind kind = Kind::Invalid;
    FormulaNode::Op op = FormulaNode::Op::None; // Operator: Add/Subtract also mean unary +/-
    double number = 0;
    QString text;
    CellReference first;
    CellReference last;
};
