#include "CellReference.h"

QString CellReference::name() const
{
    const QString dollar = QStringLiteral("$");
    return (absoluteColumn ? dollar : QString()) + CellAddress::columnName(address.column)
        + (absoluteRow ? dollar : QString()) + QString::number(address.row + 1);
}
