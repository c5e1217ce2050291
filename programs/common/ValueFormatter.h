#pragma once

#include "CellFormat.h"
#include "CellValue.h"

// Turns a value into the text a Russian-language spreadsheet would show.
class ValueFormatter
{
public:
    static QString display(const CellValue &value, NumberFormat format = NumberFormat::General);
    // Up to ten significant digits, fewer when the column is narrow.
    static QString generalNumber(double value, int digits = 10);
    static QString booleanName(bool value);
};
