#pragma once

#include <QString>

// The five-point scale of the final test: 90 % and more of the answers
// right — 5, 75 % — 4, 50 % — 3, less — 2. The share is compared exactly;
// the percentage shown is rounded down, so it never looks like more.
struct Grade
{
    int mark = 2;
    QString name;

    QString text() const; // «4 (хорошо)»

    static Grade of(int correct, int total);
    static int percent(int correct, int total);
};
