#include "CellAddress.h"

#include <QHashFunctions>
#include <QRegularExpression>

QString CellAddress::columnName(int column)
{
    QString name;
    for (int c = column + 1; c > 0; c = (c - 1) / 26)
        name.prepend(QChar('A' + (c - 1) % 26));
    return name;
}

QString CellAddress::name() const
{
    return columnName(column) + QString::number(row + 1);
}

std::optional<CellAddress> CellAddress::fromName(const QString &name)
{
    static const QRegularExpression pattern(QStringLiteral("^\\$?([A-Za-z]{1,3})\\$?([0-9]{1,7})$"));
    const auto match = pattern.match(name.trimmed());
    if (!match.hasMatch())
        return std::nullopt;
    int column = 0;
    for (QChar ch : match.captured(1).toUpper())
        column = column * 26 + (ch.unicode() - 'A' + 1);
    const int row = match.captured(2).toInt();
    if (row < 1)
        return std::nullopt;
    return CellAddress{row - 1, column - 1};
}

CellAddress CellAddress::at(const char *name)
{
    return fromName(QString::fromLatin1(name)).value_or(CellAddress{});
}

size_t qHash(const CellAddress &address, size_t seed) noexcept
{
    return qHashMulti(seed, address.row, address.column);
}
