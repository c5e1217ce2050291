#pragma once

#include <QString>

#include <optional>

// A cell position, zero-based; shown to the student in A1 style.
struct CellAddress
{
    int row = 0;
    int column = 0;

    friend bool operator==(const CellAddress &, const CellAddress &) = default;

    QString name() const;
    static QString columnName(int column);
    static std::optional<CellAddress> fromName(const QString &name);
    // For cell names written in the program's own code, known to be valid.
    static CellAddress at(const char *name);
};

size_t qHash(const CellAddress &address, size_t seed = 0) noexcept;
