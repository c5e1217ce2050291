#pragma once

#include "CellAddress.h"

// A cell named in a formula, with its "$" signs: a relative part moves when
// the formula is copied, an absolute one stays.
struct CellReference
{
    CellAddress address;
    bool absoluteRow = false;
    bool absoluteColumn = false;

    friend bool operator==(const CellReference &, const CellReference &) = default;

    bool isAbsolute() const { return absoluteRow && absoluteColumn; }
    bool isRelative() const { return !absoluteRow && !absoluteColumn; }
    QString name() const; // "$B$8", "B$8", "B8"
};
