#pragma once

#include "CellAddress.h"

#include <QList>
#include <QString>

#include <optional>

// The outcome of «Проверить»: cells found right, and what is wrong where.
class CheckReport
{
public:
    struct Item
    {
        std::optional<CellAddress> cell; // none: about the work as a whole
        bool ok = false;
        QString message;
    };

    void pass(CellAddress cell);
    void fail(CellAddress cell, const QString &message);
    void fail(const QString &message);

    bool passed() const;
    int failureCount() const;
    const QList<Item> &items() const { return items_; }
    QList<CellAddress> rightCells() const;
    QList<CellAddress> wrongCells() const;
    QString messageFor(CellAddress cell) const; // the first failure, or empty

private:
    QList<Item> items_;
};
