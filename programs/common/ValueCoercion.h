#pragma once

#include "CellValue.h"

// How a spreadsheet turns one kind of value into another for an operation.
class ValueCoercion
{
public:
    static CellValue toNumber(const CellValue &value);  // a number or an error
    static CellValue toBoolean(const CellValue &value); // a boolean or an error
    static QString toText(const CellValue &value);      // not for errors
    // Spreadsheet order: numbers < texts < booleans; an empty cell takes the
    // other side's kind. Texts ignore case.
    static int compare(const CellValue &a, const CellValue &b);
    static int compareText(const QString &a, const QString &b);
    static bool sameNumber(double a, double b);
};
