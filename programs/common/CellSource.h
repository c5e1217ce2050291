#pragma once

#include "CellAddress.h"
#include "CellValue.h"

// Where a formula reads the values of the cells it refers to.
class CellSource
{
public:
    virtual ~CellSource() = default;
    virtual CellValue cellValue(CellAddress cell) const = 0;
    virtual int rowCount() const = 0;
    virtual int columnCount() const = 0;
};
