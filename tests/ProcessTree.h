#pragma once

#include <QList>

// What /proc says of a process and the processes it started.
namespace ProcessTree {

// Every living process below pid, children first.
QList<qint64> Descendants(qint64 pid);
bool Alive(qint64 pid);
// Resident memory in KiB, open descriptors and threads, over the given processes.
struct Usage {
    qint64 residentKiB = 0;
    int descriptors = 0;
    int threads = 0;
};
Usage Measure(const QList<qint64> &pids);

} // namespace ProcessTree
