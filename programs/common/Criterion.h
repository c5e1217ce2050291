#pragma once

#include "CellValue.h"

#include <QRegularExpression>

// The condition of СЧЁТЕСЛИ/СУММЕСЛИ: 5, ">=60", "<>Москва", "Кан*".
class Criterion
{
public:
    explicit Criterion(const CellValue &criterion);
    bool matches(const CellValue &cell) const;

private:
    enum class Op { Equal, NotEqual, Less, Greater, LessEqual, GreaterEqual };
    bool compareMatches(int comparison) const;

    Op op_ = Op::Equal;
    CellValue operand_;
    QRegularExpression pattern_; // "*" and "?" for texts compared with "="
};
