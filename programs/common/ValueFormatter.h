#pragma once

#include "CellFormat.h"
#include "CellValue.h"

// Turns a value into the text a Russian-language spreadsheet would show.
class ValueFormatter
{
public:
    static QString display(const CellValue &value, NumberFormat format = NumberFormat::General);
    static QString generalNumber(double value);
    static QString booleanName(bool value);
};
