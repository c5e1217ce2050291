#include "CellRange.h"

#include <QStringList>

#include <algorithm>

CellRange CellRange::of(CellAddress a, CellAddress b)
{
    return {{std::min(a.row, b.row), std::min(a.column, b.column)},
            {std::max(a.row, b.row), std::max(a.column, b.column)}};
}

std::optional<CellRange> CellRange::fromName(const QString &name)
{
    const QStringList parts = name.split(QLatin1Char(':'));
    if (parts.size() > 2)
        return std::nullopt;
    const auto a = CellAddress::fromName(parts.first());
    const auto b = CellAddress::fromName(parts.last());
    if (!a || !b)
        return std::nullopt;
    return of(*a, *b);
}

CellRange CellRange::at(const char *name)
{
    return fromName(QString::fromLatin1(name)).value_or(CellRange{});
}

bool CellRange::contains(CellAddress cell) const
{
    return cell.row >= first.row && cell.row <= last.row
        && cell.column >= first.column && cell.column <= last.column;
}

QString CellRange::name() const
{
    if (first == last)
        return first.name();
    return first.name() + QLatin1Char(':') + last.name();
}
