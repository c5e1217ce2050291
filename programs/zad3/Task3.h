#pragma once

#include "ExerciseTask.h"

// Задание 3: СУММ, СРЗНАЧ, МИН, МАКС and СЧЁТ over a list of marks.
class Task3 : public ExerciseTask
{
public:
    QString title() const override;
    QString description() const override;
    int rowCount() const override { return 16; }
    int columnCount() const override { return 6; }
    QList<int> columnWidths() const override { return {140, 80, 24, 200, 90, 80}; }
    void prepare(SheetModel &sheet) const override;
    CheckReport check(const SheetModel &sheet) const override;
};
