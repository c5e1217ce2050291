#pragma once

#include "FormulaEvaluator.h"

// The functions the course uses (FunctionNames lists them), calculated the
// way a spreadsheet does. Arguments are evaluated here, so ЕСЛИ only
// calculates the branch it takes.
class FormulaFunctions
{
public:
    static CellValue call(const FormulaNode &node, const FormulaEvaluator &evaluator);
};
