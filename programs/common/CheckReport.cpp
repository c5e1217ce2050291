#include "CheckReport.h"

void CheckReport::pass(CellAddress cell)
{
    items_.append({cell, true, {}});
}

void CheckReport::fail(CellAddress cell, const QString &message)
{
    items_.append({cell, false, message});
}

void CheckReport::fail(const QString &message)
{
    items_.append({std::nullopt, false, message});
}

bool CheckReport::passed() const
{
    return failureCount() == 0;
}

int CheckReport::failureCount() const
{
    int n = 0;
    for (const Item &item : items_)
        n += !item.ok;
    return n;
}

QList<CellAddress> CheckReport::wrongCells() const
{
    QList<CellAddress> cells;
    for (const Item &item : items_) {
        if (!item.ok && item.cell && !cells.contains(*item.cell))
            cells.append(*item.cell);
    }
    return cells;
}

QList<CellAddress> CheckReport::rightCells() const
{
    const QList<CellAddress> wrong = wrongCells();
    QList<CellAddress> cells;
    for (const Item &item : items_) {
        if (item.ok && item.cell && !wrong.contains(*item.cell) && !cells.contains(*item.cell))
            cells.append(*item.cell);
    }
    return cells;
}

QString CheckReport::messageFor(CellAddress cell) const
{
    for (const Item &item : items_) {
        if (!item.ok && item.cell == cell)
            return item.message;
    }
    return {};
}
