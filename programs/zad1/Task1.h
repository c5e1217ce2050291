#pragma once

#include "ExerciseTask.h"

// Задание 1: fill in a purchase table, add totals and format it.
class Task1 : public ExerciseTask
{
public:
    QString title() const override;
    QString description() const override;
    int rowCount() const override { return 16; }
    int columnCount() const override { return 6; }
    QList<int> columnWidths() const override { return {150, 90, 110, 110, 90, 90}; }
    void prepare(SheetModel &sheet) const override;
    CheckReport check(const SheetModel &sheet) const override;
};
