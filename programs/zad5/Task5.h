#pragma once

#include "ExerciseTask.h"

// Задание 5: sort a list by one column, and pick out records with
// СЧЁТЕСЛИ and СУММЕСЛИ.
class Task5 : public ExerciseTask
{
public:
    QString title() const override;
    QString description() const override;
    int rowCount() const override { return 16; }
    int columnCount() const override { return 7; }
    QList<int> columnWidths() const override { return {120, 95, 60, 65, 20, 150, 60}; }
    bool offersSorting() const override { return true; }
    void prepare(SheetModel &sheet) const override;
    CheckReport check(const SheetModel &sheet) const override;
};
