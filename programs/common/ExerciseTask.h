#pragma once

#include "CheckReport.h"
#include "SheetModel.h"

#include <QList>
#include <QString>

// One exercise: its text, the sheet it starts from, and how the work is
// checked. Each zadN program holds one of these and nothing else.
class ExerciseTask
{
public:
    virtual ~ExerciseTask();

    virtual QString title() const = 0;        // «Задание 1. ...»
    virtual QString description() const = 0;  // HTML shown beside the sheet
    virtual int rowCount() const { return 20; }
    virtual int columnCount() const { return 8; }
    virtual QList<int> columnWidths() const { return {}; }
    virtual bool offersSorting() const { return false; }

    virtual void prepare(SheetModel &sheet) const = 0; // the data given to the student
    virtual CheckReport check(const SheetModel &sheet) const = 0;
};
