#pragma once

#include "CellReference.h"
#include "CellValue.h"

#include <vector>

// One node of a parsed formula. Value-like: children are held by value.
struct FormulaNode
{
    enum class Kind {
        Number,
        Text,
        Boolean,
        Error,
        Reference,
        Range,
        Unary,
        Binary,
        Call,    // a function the programs calculate
        Name,    // an unknown name or function: #ИМЯ?
        Missing, // an argument left out: ЕСЛИ(A1;;1)
    };
    enum class Op {
        None,
        Negate,
        Plus,
        Add,
        Subtract,
        Multiply,
        Divide,
        Power,
        Concat,
        Equal,
        NotEqual,
        Less,
        Greater,
        LessEqual,
        GreaterEqual,
    };

    Kind kind = Kind::Missing;
    Op op = Op::None;
    double number = 0;
    bool boolean = false;
    CellError error = CellError::Value;
    QString text;         // a text literal, a function's English name or an unknown name
    CellReference first;  // a reference, or a range's first corner
    CellReference last;   // a range's other corner
    std::vector<FormulaNode> children;
};
