#pragma once

#include "CellAddress.h"

// A rectangle of cells; always kept with the top-left corner first.
struct CellRange
{
    CellAddress first;
    CellAddress last;

    friend bool operator==(const CellRange &, const CellRange &) = default;

    static CellRange of(CellAddress a, CellAddress b);
    static std::optional<CellRange> fromName(const QString &name);
    static CellRange at(const char *name);

    bool contains(CellAddress cell) const;
    int rowCount() const { return last.row - first.row + 1; }
    int columnCount() const { return last.column - first.column + 1; }
    QString name() const;
};
