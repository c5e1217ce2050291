#pragma once

// What the benchmark programs share: one clock for every process, and the
// report lines the driver reads.
//
// A harness prints "key value" lines to stdout; the driver (bench_driver)
// starts it, collects the lines and takes the medians.

#include "ProcessTree.h"

#include <QCoreApplication>
#include <QObject>
#include <QTimer>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <unistd.h>

namespace Bench {

// CLOCK_MONOTONIC in nanoseconds: the same clock in the driver and in every
// harness, so a time taken in one process can be compared with another's.
inline qint64 NowNs()
{
    using namespace std::chrono;
    return duration_cast<nanoseconds>(steady_clock::now().time_since_epoch()).count();
}

inline double Ms(qint64 fromNs, qint64 toNs)
{
    return double(toNs - fromNs) / 1e6;
}

// When the driver started this process (its clock just before the spawn);
// the start of main when run by hand.
inline qint64 SpawnNs(qint64 fallback)
{
    if (const char *text = std::getenv("BENCH_T0_NS"))
        return std::strtoll(text, nullptr, 10);
    return fallback;
}

inline void Report(const QByteArray &key, double value)
{
    std::printf("%s %.3f\n", key.constData(), value);
    std::fflush(stdout);
}

inline void ReportText(const QByteArray &key, const QByteArray &text)
{
    std::printf("%s %s\n", key.constData(), text.constData());
    std::fflush(stdout);
}

// This process and every process it started.
inline QList<qint64> Tree()
{
    QList<qint64> pids { qint64(::getpid()) };
    pids += ProcessTree::Descendants(::getpid());
    return pids;
}

// Resident memory, descriptors, threads and processes of the whole tree.
inline void ReportUsage(const QByteArray &prefix)
{
    const QList<qint64> pids = Tree();
    const ProcessTree::Usage usage = ProcessTree::Measure(pids);
    Report(prefix + "_rss_kib", double(usage.residentKiB));
    Report(prefix + "_fds", usage.descriptors);
    Report(prefix + "_threads", usage.threads);
    Report(prefix + "_procs", pids.size());
    // The program's own process apart from the engine's.
    const ProcessTree::Usage own = ProcessTree::Measure({ qint64(::getpid()) });
    Report(prefix + "_main_rss_kib", double(own.residentKiB));
    Report(prefix + "_main_fds", own.descriptors);
    Report(prefix + "_main_threads", own.threads);
}

// Tells the driver which processes make up the tree and when the exit
// command is given; the driver then watches them go from outside.
inline void ReportExitStart()
{
    QByteArray pids;
    for (qint64 pid : ProcessTree::Descendants(::getpid()))
        pids += QByteArray::number(pid) + ' ';
    ReportText("exit_pids", pids.isEmpty() ? QByteArray("-") : pids.trimmed());
    std::printf("exit_at_ns %lld\n", static_cast<long long>(NowNs()));
    std::fflush(stdout);
}

// Runs work after delayMs on a precise timer (the default coarse timer may
// fire 5 % late).
inline void After(int delayMs, QObject *context, std::function<void()> work)
{
    QTimer::singleShot(delayMs, Qt::PreciseTimer, context, std::move(work));
}

} // namespace Bench
