#include "ProcessTree.h"

#include <QDir>
#include <QFile>
#include <QHash>

namespace {

// The status file's fields of interest: state, parent, memory, threads.
QHash<QByteArray, QByteArray> status(qint64 pid)
{
    QHash<QByteArray, QByteArray> fields;
    QFile file(QStringLiteral("/proc/%1/status").arg(pid));
    if (!file.open(QIODevice::ReadOnly))
        return fields;
    for (const QByteArray &line : file.readAll().split('\n')) {
        const qsizetype colon = line.indexOf(':');
        if (colon > 0)
            fields.insert(line.left(colon), line.mid(colon + 1).trimmed());
    }
    return fields;
}

} // namespace

namespace ProcessTree {

QList<qint64> Descendants(qint64 pid)
{
    QHash<qint64, QList<qint64>> children;
    for (const QString &entry : QDir(QStringLiteral("/proc")).entryList(QDir::Dirs)) {
        bool number = false;
        const qint64 child = entry.toLongLong(&number);
        if (!number)
            continue;
        const auto fields = status(child);
        if (fields.value("State").startsWith('Z'))
            continue;
        children[fields.value("PPid").toLongLong()].append(child);
    }
    QList<qint64> found;
    QList<qint64> pending { pid };
    while (!pending.isEmpty()) {
        for (qint64 child : children.value(pending.takeFirst())) {
            found.append(child);
            pending.append(child);
        }
    }
    return found;
}

bool Alive(qint64 pid)
{
    const auto fields = status(pid);
    return !fields.isEmpty() && !fields.value("State").startsWith('Z');
}

Usage Measure(const QList<qint64> &pids)
{
    Usage usage;
    for (qint64 pid : pids) {
        const auto fields = status(pid);
        usage.residentKiB += fields.value("VmRSS").split(' ').value(0).toLongLong();
        usage.threads += fields.value("Threads").toInt();
        usage.descriptors += QDir(QStringLiteral("/proc/%1/fd").arg(pid)).entryList(QDir::NoDotAndDotDot | QDir::AllEntries | QDir::System).size();
    }
    return usage;
}

} // namespace ProcessTree
