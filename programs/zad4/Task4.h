#pragma once

#include "ExerciseTask.h"

// Задание 4: ЕСЛИ with a comparison, and with two conditions joined by И.
class Task4 : public ExerciseTask
{
public:
    QString title() const override;
    QString description() const override;
    int rowCount() const override { return 16; }
    int columnCount() const override { return 6; }
    QList<int> columnWidths() const override { return {140, 80, 80, 110, 90, 80}; }
    void prepare(SheetModel &sheet) const override;
    CheckReport check(const SheetModel &sheet) const override;
};
