#pragma once

#include <QString>

// Copies a formula to another cell the way a spreadsheet does: relative
// parts of references move by the distance copied, parts after "$" stay.
// A reference moved off the sheet becomes #ССЫЛКА!.
class ReferenceShifter
{
public:
    static QString shift(const QString &input, int rowOffset, int columnOffset);
};
