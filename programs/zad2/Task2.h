#pragma once

#include "ExerciseTask.h"

// Задание 2: a share of the total, copied down: relative and absolute references.
class Task2 : public ExerciseTask
{
public:
    QString title() const override;
    QString description() const override;
    int rowCount() const override { return 16; }
    int columnCount() const override { return 6; }
    QList<int> columnWidths() const override { return {130, 120, 120, 90, 90, 90}; }
    void prepare(SheetModel &sheet) const override;
    CheckReport check(const SheetModel &sheet) const override;
};
