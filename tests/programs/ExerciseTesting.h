#pragma once

// Helpers for the exercise checker tests.
//
// Edits written as text, so checker tests can list a solution's variations
// in QtTest data tables: "D3|=B3*C3" types into a cell or range, and
// "A1:D1|#bold" changes formatting (#bold #plain #center #left #general
// #fixed2 #percent #money).

#include "ExerciseTask.h"
#include "SheetModel.h"

#include <QStringList>
#include <QtTest>

inline void applyEdits(SheetModel &sheet, const QStringList &edits)
{
    QList<QPair<CellAddress, QString>> inputs;
    for (const QString &edit : edits) {
        const CellRange range = CellRange::fromName(edit.section('|', 0, 0)).value();
        const QString what = edit.section('|', 1);
        for (int r = range.first.row; r <= range.last.row; ++r) {
            for (int c = range.first.column; c <= range.last.column; ++c) {
                const CellAddress cell{r, c};
                if (!what.startsWith('#')) {
                    inputs.append({cell, what});
                    continue;
                }
                CellFormat f = sheet.format(cell);
                if (what == "#bold") f.bold = true;
                else if (what == "#plain") f.bold = false;
                else if (what == "#center") f.align = HorizontalAlign::Center;
                else if (what == "#left") f.align = HorizontalAlign::Left;
                else if (what == "#general") f.numberFormat = NumberFormat::General;
                else if (what == "#fixed2") f.numberFormat = NumberFormat::Fixed2;
                else if (what == "#percent") f.numberFormat = NumberFormat::Percent;
                else if (what == "#money") f.numberFormat = NumberFormat::Money;
                else qFatal("unknown edit %s", qPrintable(what));
                sheet.setFormat(cell, f);
            }
        }
    }
    sheet.setInputs(inputs);
}

// Row by row copies of one formula, as "Заполнить вниз" would make them:
// filledDown("D", 2, 6, "=B%1*C%1") gives D2 =B2*C2 ... D6 =B6*C6.
inline QStringList filledDown(const QString &column, int first, int last, const QString &pattern)
{
    QStringList edits;
    for (int row = first; row <= last; ++row)
        edits << QStringLiteral("%1%2|%3").arg(column).arg(row).arg(pattern.arg(row));
    return edits;
}

inline QString failureText(const CheckReport &report)
{
    QStringList lines;
    for (const CheckReport::Item &item : report.items()) {
        if (!item.ok)
            lines << (item.cell ? item.cell->name() + ": " : QString()) + item.message;
    }
    return lines.join('\n');
}

// Prepares the task's sheet, applies the edits and checks it. wrongCell
// empty: the work must pass with checkedCells cells marked right; "-": a
// message about the work as a whole; otherwise that cell must be marked
// wrong with a message containing the given part.
inline void verifyCheck(const ExerciseTask &task, const QStringList &edits, const QString &wrongCell,
                        const QString &message, int checkedCells)
{
    SheetModel sheet(task.rowCount(), task.columnCount());
    task.prepare(sheet);
    applyEdits(sheet, edits);
    const CheckReport report = task.check(sheet);
    if (wrongCell.isEmpty()) {
        QVERIFY2(report.passed(), qPrintable(failureText(report)));
        QCOMPARE(report.rightCells().size(), checkedCells);
        return;
    }
    QVERIFY(!report.passed());
    if (wrongCell == "-") {
        QVERIFY2(failureText(report).contains(message), qPrintable(failureText(report)));
        return;
    }
    const CellAddress cell = *CellAddress::fromName(wrongCell);
    QVERIFY2(report.wrongCells().contains(cell), qPrintable(failureText(report)));
    QVERIFY2(report.messageFor(cell).contains(message), qPrintable(report.messageFor(cell)));
}
