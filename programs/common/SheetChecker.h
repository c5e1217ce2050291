#pragma once

#include "CheckReport.h"
#include "SheetModel.h"

#include <functional>

// Checks of a student's sheet that the exercises combine. Each check writes
// one clear message on failure and returns false, so a task can chain them
// with && and say only the first thing wrong with each cell.
//
// Values are checked twice: on the student's data and on changed copies of
// it (the task's data variants). A number typed instead of a formula, or a
// formula reading the wrong cells, gives the right value only by chance and
// fails on the changed copies.
class SheetChecker
{
public:
    using Inputs = QList<QPair<CellAddress, QString>>;
    using Expected = std::function<CellValue(const SheetModel &)>;
    enum class Anchor { Relative, FixedRow, Absolute };

    explicit SheetChecker(const SheetModel &sheet, const QList<Inputs> &dataVariants = {});

    bool text(CellAddress cell, const QString &expected);
    bool number(CellAddress cell, double expected);
    // A readable formula, not a typed value.
    bool hasFormula(CellAddress cell);
    // ...that also refers to cells and gives no error.
    bool formula(CellAddress cell);
    bool function(CellAddress cell, const QString &englishName, std::optional<CellRange> range = {});
    bool reference(CellAddress cell, CellAddress target, Anchor anchor, const QString &missingHint = {});
    bool value(CellAddress cell, const Expected &expected);
    bool bold(CellAddress cell);
    bool centered(CellAddress cell);
    bool numberFormat(CellAddress cell, const QList<NumberFormat> &accepted, const QString &hint);

    void pass(CellAddress cell) { report_.pass(cell); }
    void fail(CellAddress cell, const QString &message) { report_.fail(cell, message); }
    void fail(const QString &message) { report_.fail(message); }

    const SheetModel &sheet() const { return sheet_; }
    const CheckReport &report() const { return report_; }

    // A cell's value as arithmetic reads it (empty is 0).
    static double numberAt(const SheetModel &sheet, CellAddress cell);
    static bool sameValue(const CellValue &actual, const CellValue &expected);
    static QString normalizedText(const QString &text);

private:
    const QList<SheetModel> &variantSheets();

    const SheetModel &sheet_;
    QList<Inputs> variants_;
    QList<SheetModel> variantSheets_;
    bool variantsBuilt_ = false;
    CheckReport report_;
};
