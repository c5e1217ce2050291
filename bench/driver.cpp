// Runs the harnesses on each platform set-up, takes the medians and prints
// the table (figure, ours, limit, ratio), also written as Markdown.
//
//   bench_driver --bin DIR --course DIR --catalogue FILE --assets DIR
//                [--runs N] [--soak N] [--out FILE] [--log FILE]
//                --config offscreen|xvfb=:DISPLAY|gl=:DISPLAY|leads=:DISPLAY ...
//
// Each harness is started with posix_spawn; the driver's clock just before
// the spawn is passed in BENCH_T0_NS, so a start-up figure includes exec,
// the dynamic loader and static initialisers. The harnesses of one round
// run one after the other, round after round (the first round is a warm-up
// and is not counted), so that a change in the machine's load falls on ours
// and on the limits alike. The driver is a child subreaper: engine processes
// left behind by an ending program come to it, and it watches them go.
#include "BenchClock.h"

#include <QCommandLineParser>
#include <QDateTime>
#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <QProcessEnvironment>
#include <QSysInfo>
#include <QTemporaryDir>

#include <algorithm>
#include <cerrno>
#include <cmath>
#include <csignal>
#include <cstring>
#include <fcntl.h>
#include <poll.h>
#include <spawn.h>
#include <sys/prctl.h>
#include <sys/wait.h>
#include <time.h>

extern char **environ;

namespace {

constexpr double nan = std::numeric_limits<double>::quiet_NaN();

struct Config {
    QString name;     // offscreen, xvfb, gl, leads
    QString display;  // for xvfb and leads
    QString Title() const
    {
        if (name == QLatin1String("offscreen"))
            return QStringLiteral("Offscreen (QT_QPA_PLATFORM=offscreen)");
        if (name == QLatin1String("xvfb"))
            return QStringLiteral("X11: Xvfb %1 (QT_QPA_PLATFORM=xcb), no window manager; each program as it sets "
                                  "itself up").arg(display);
        if (name == QLatin1String("gl"))
            return QStringLiteral("X11: Xvfb %1, the toolkit's own graphics for every program: QT_QUICK_BACKEND "
                                  "and QT_XCB_GL_INTEGRATION set empty").arg(display);
        return QStringLiteral("X11: Xvfb %1, the leads for every program: QT_QUICK_BACKEND=software, "
                              "QT_XCB_GL_INTEGRATION=none").arg(display);
    }
};

struct Outcome {
    QHash<QByteArray, double> values;
    bool ok = false;
    QString problem;
    double Value(const QByteArray &key) const { return values.value(key, nan); }
};

// ---------------------------------------------------------------- processes

// Whether /proc still shows the process as living (a zombie has ended).
bool alive(qint64 pid)
{
    char path[64];
    std::snprintf(path, sizeof path, "/proc/%lld/stat", static_cast<long long>(pid));
    const int fd = ::open(path, O_RDONLY | O_CLOEXEC);
    if (fd < 0)
        return false;
    char text[512];
    const ssize_t size = ::read(fd, text, sizeof text - 1);
    ::close(fd);
    if (size <= 0)
        return false;
    text[size] = '\0';
    const char *paren = std::strrchr(text, ')');
    if (!paren || paren[1] == '\0' || paren[2] == '\0')
        return false;
    return paren[2] != 'Z' && paren[2] != 'X';
}

class Child
{
public:
    Child(const QString &program, const QStringList &arguments, const QStringList &environment,
          const QString &directory, int logFd)
    {
        int ends[2];
        if (::pipe2(ends, O_CLOEXEC) != 0)
            return;
        readEnd_ = ends[0];
        QList<QByteArray> args { QFile::encodeName(program) };
        for (const QString &argument : arguments)
            args << argument.toLocal8Bit();
        QList<QByteArray> env;
        for (const QString &entry : environment)
            env << entry.toLocal8Bit();
        std::vector<char *> argv;
        for (QByteArray &arg : args)
            argv.push_back(arg.data());
        argv.push_back(nullptr);
        char clock[64] = "BENCH_T0_NS=0";
        std::vector<char *> envp { clock };
        for (QByteArray &entry : env)
            envp.push_back(entry.data());
        envp.push_back(nullptr);

        posix_spawn_file_actions_t actions;
        posix_spawn_file_actions_init(&actions);
        posix_spawn_file_actions_adddup2(&actions, ends[1], 1);
        posix_spawn_file_actions_adddup2(&actions, logFd, 2);
        const QByteArray dir = QFile::encodeName(directory);
        posix_spawn_file_actions_addchdir_np(&actions, dir.constData());
        posix_spawnattr_t attributes;
        posix_spawnattr_init(&attributes);
        sigset_t none;
        sigemptyset(&none);
        sigset_t all;
        sigfillset(&all);
        posix_spawnattr_setsigmask(&attributes, &none);
        posix_spawnattr_setsigdefault(&attributes, &all);
        posix_spawnattr_setpgroup(&attributes, 0);
        posix_spawnattr_setflags(&attributes, POSIX_SPAWN_SETPGROUP | POSIX_SPAWN_SETSIGMASK | POSIX_SPAWN_SETSIGDEF);

        pid_t pid = 0;
        std::snprintf(clock, sizeof clock, "BENCH_T0_NS=%lld", static_cast<long long>(Bench::NowNs()));
        const int error = posix_spawn(&pid, argv[0], &actions, &attributes, argv.data(), envp.data());
        posix_spawn_file_actions_destroy(&actions);
        posix_spawnattr_destroy(&attributes);
        ::close(ends[1]);
        if (error == 0)
            pid_ = pid;
        else
            problem_ = QStringLiteral("cannot start %1: %2").arg(program, QString::fromLocal8Bit(std::strerror(error)));
    }

    ~Child()
    {
        if (readEnd_ >= 0)
            ::close(readEnd_);
    }

    Outcome Wait(int timeoutMs)
    {
        Outcome outcome;
        if (pid_ <= 0) {
            outcome.problem = problem_;
            return outcome;
        }
        const qint64 deadline = Bench::NowNs() + qint64(timeoutMs) * 1000000;
        QByteArray pending;
        QList<qint64> exitPids;
        bool killed = false;
        for (;;) {
            pollfd ready { readEnd_, POLLIN, 0 };
            if (readEnd_ >= 0 && ::poll(&ready, 1, 5) > 0) {
                char chunk[4096];
                const ssize_t size = ::read(readEnd_, chunk, sizeof chunk);
                if (size > 0) {
                    pending.append(chunk, size);
                } else {
                    // Everything that held the pipe (the program and its
                    // engine processes) has gone.
                    ::close(readEnd_);
                    readEnd_ = -1;
                }
            } else if (readEnd_ < 0) {
                ::usleep(5000);
            }
            qsizetype newline;
            while ((newline = pending.indexOf('\n')) >= 0) {
                const QByteArray line = pending.left(newline).trimmed();
                pending.remove(0, newline + 1);
                const qsizetype space = line.indexOf(' ');
                if (space <= 0)
                    continue;
                const QByteArray key = line.left(space);
                const QByteArray value = line.mid(space + 1);
                if (key == "exit_pids") {
                    for (const QByteArray &pid : value.split(' '))
                        if (pid.toLongLong() > 0)
                            exitPids << pid.toLongLong();
                } else if (key == "exit_at_ns") {
                    outcome.values.insert("exit_ms", WatchExit(exitPids, value.toLongLong()));
                } else {
                    bool number = false;
                    const double parsed = value.toDouble(&number);
                    if (number)
                        outcome.values.insert(key, parsed);
                }
            }
            Reap();
            if (ended_ && readEnd_ < 0 && NoChildren())
                break;
            if (ended_ && NoChildren() && Bench::NowNs() > endedNs_ + 2000000000LL)
                break; // a grandchild of someone else keeps the pipe: do not wait for it
            if (Bench::NowNs() > deadline || (ended_ && Bench::NowNs() > endedNs_ + 10000000000LL)) {
                if (!killed) {
                    // Only the process group this driver made for the child.
                    ::kill(-pid_, SIGKILL);
                    killed = true;
                    outcome.problem = ended_ ? QStringLiteral("engine processes outlived the program by 10 s")
                                             : QStringLiteral("timed out after %1 s").arg(timeoutMs / 1000);
                }
                if (Bench::NowNs() > deadline + 5000000000LL && ended_)
                    break;
            }
        }
        if (outcome.problem.isEmpty()) {
            if (WIFEXITED(status_) && WEXITSTATUS(status_) == 0)
                outcome.ok = true;
            else if (WIFSIGNALED(status_))
                outcome.problem = QStringLiteral("ended by signal %1").arg(WTERMSIG(status_));
            else
                outcome.problem = QStringLiteral("exit code %1").arg(WEXITSTATUS(status_));
        }
        return outcome;
    }

private:
    // Reaps whatever has ended: the child, and engine processes that came to
    // this driver (a subreaper) when the program ended before them.
    void Reap()
    {
        int status = 0;
        pid_t pid;
        while ((pid = ::waitpid(-1, &status, WNOHANG)) > 0) {
            if (pid == pid_) {
                ended_ = true;
                endedNs_ = Bench::NowNs();
                status_ = status;
            }
        }
    }

    static bool NoChildren()
    {
        siginfo_t info {};
        return ::waitid(P_ALL, 0, &info, WEXITED | WNOHANG | WNOWAIT) != 0 && errno == ECHILD;
    }

    // From the exit command to the moment no process of the tree lives.
    double WatchExit(QList<qint64> pids, qint64 exitAtNs)
    {
        pids << pid_;
        for (qint64 pid : ProcessTree::Descendants(pid_))
            if (!pids.contains(pid))
                pids << pid;
        const qint64 deadline = Bench::NowNs() + 30000000000LL;
        const timespec pause { 0, 200000 };
        while (Bench::NowNs() < deadline) {
            Reap();
            if (std::none_of(pids.cbegin(), pids.cend(), alive))
                return Bench::Ms(exitAtNs, Bench::NowNs());
            ::nanosleep(&pause, nullptr);
        }
        return nan;
    }

    pid_t pid_ = 0;
    int readEnd_ = -1;
    int status_ = 0;
    bool ended_ = false;
    qint64 endedNs_ = 0;
    QString problem_;
};

// ---------------------------------------------------------------- course

bool copyTree(const QString &from, const QString &to)
{
    QDirIterator it(from, QDir::Files | QDir::NoDotAndDotDot | QDir::Hidden, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString source = it.next();
        const QString target = to + source.mid(from.size());
        QDir().mkpath(QFileInfo(target).path());
        if (!QFile::copy(source, target))
            return false;
    }
    return true;
}

struct Course {
    QString dir;
    QString pagesFile;
    // The same pages as files, for the bare view.
    QString filesFile;
    QStringList missing;
    int pages = 0;
};

// The assembled course, copied, with every eleventh page taken out (never
// the two pages the timed commands open), and the list of page handlers.
bool prepareCourse(const QString &course, const QString &catalogue, const QString &work, Course *result)
{
    result->dir = work + QStringLiteral("/course");
    if (!copyTree(course, result->dir))
        return false;
    QFile file(catalogue);
    if (!file.open(QIODevice::ReadOnly))
        return false;
    QByteArray handlers;
    QByteArray files;
    int index = 0;
    for (const QByteArray &line : file.readAll().split('\n')) {
        const QList<QByteArray> fields = line.split('\t');
        if (line.startsWith('#') || fields.size() < 5 || fields.at(3) != "page")
            continue;
        handlers += fields.at(0) + "Click\n";
        const QString path = QString::fromUtf8(fields.at(4));
        files += QFile::encodeName(result->dir + path) + '\n';
        if (index++ % 11 == 5 && path != QLatin1String("/teoria/1/0.html")
            && path != QLatin1String("/teoria/4/4.1.html")) {
            QFile::remove(result->dir + path);
            result->missing << path;
        }
    }
    result->pages = index;
    result->pagesFile = work + QStringLiteral("/pages.txt");
    result->filesFile = work + QStringLiteral("/files.txt");
    QFile out(result->pagesFile);
    QFile outFiles(result->filesFile);
    return out.open(QIODevice::WriteOnly) && out.write(handlers) == handlers.size()
        && outFiles.open(QIODevice::WriteOnly) && outFiles.write(files) == files.size();
}

// ---------------------------------------------------------------- figures

double median(QList<double> values)
{
    values.removeIf([](double v) { return std::isnan(v); });
    if (values.isEmpty())
        return nan;
    std::sort(values.begin(), values.end());
    const qsizetype n = values.size();
    return n % 2 ? values.at(n / 2) : (values.at(n / 2 - 1) + values.at(n / 2)) / 2;
}

struct Results {
    QHash<QString, QList<Outcome>> byKind;
    double Median(const QString &kind, const QByteArray &key) const
    {
        QList<double> values;
        for (const Outcome &outcome : byKind.value(kind))
            values << outcome.Value(key);
        return median(values);
    }
    double Sum(const QString &kind, const QByteArray &key) const
    {
        double sum = 0;
        for (const Outcome &outcome : byKind.value(kind))
            if (!std::isnan(outcome.Value(key)))
                sum += outcome.Value(key);
        return sum;
    }
    int Count(const QString &kind, const QByteArray &key) const
    {
        int count = 0;
        for (const Outcome &outcome : byKind.value(kind))
            count += !std::isnan(outcome.Value(key));
        return count;
    }
};

QString number(double value, int decimals = 1)
{
    if (std::isnan(value))
        return QStringLiteral("—");
    return QString::number(value, 'f', decimals);
}

struct Row {
    QString figure;
    QString ours;
    QString limit;
    QString ratio;
    QString target;
    QString met;
    // From the soak runs: left out where there is no soak.
    bool soak = false;
};

QString ratioText(double ours, double limit)
{
    if (std::isnan(ours) || std::isnan(limit) || limit <= 0)
        return QStringLiteral("—");
    return QString::number(ours / limit, 'f', 2) + QStringLiteral("×");
}

QString verdict(bool met)
{
    return met ? QStringLiteral("met") : QStringLiteral("**missed**");
}

Row ratioRow(const QString &figure, double ours, double limit, double maxRatio = nan, int decimals = 1)
{
    Row row { figure, number(ours, decimals), number(limit, decimals), ratioText(ours, limit), {}, {} };
    if (!std::isnan(maxRatio)) {
        row.target = QStringLiteral("≤ %1×").arg(maxRatio, 0, 'f', 2);
        if (!std::isnan(ours) && !std::isnan(limit))
            row.met = verdict(ours <= limit * maxRatio);
    }
    return row;
}

Row memoryRow(const QString &figure, double ours, double limit, double maxRatio = nan)
{
    Row row = ratioRow(figure, ours / 1024, limit / 1024, maxRatio);
    return row;
}

Row growthRow(const QString &figure, double ours, double limit, bool target = true)
{
    Row row { figure, number(ours, 0), number(limit, 0), QString(), target ? QStringLiteral("no growth") : QString(), {} };
    if (!std::isnan(ours) && !std::isnan(limit)) {
        row.ratio = QStringLiteral("%1%2").arg(ours - limit >= 0 ? "+" : "").arg(ours - limit, 0, 'f', 0);
        if (target)
            row.met = verdict(ours <= limit);
    }
    return row;
}

QList<Row> tableRows(const Results &r, int runs, int soak)
{
    const auto m = [&r](const char *kind, const char *key) { return r.Median(QString::fromLatin1(kind), key); };
    QList<Row> rows;
    rows << ratioRow(QStringLiteral("Start-up: process start → title window's first frame, ms (limit: bare Qt window with the JPEG)"),
                     m("ours", "title_ms"), m("bare", "title_ms"), 1.1);
    rows << ratioRow(QStringLiteral("… the bare window linking Qt WebEngine Widgets, not using it, ms"),
                     m("linked", "title_ms"), m("bare", "title_ms"));
    rows << ratioRow(QStringLiteral("… process start → main (exec, loader, static initialisers), ms"),
                     m("ours", "main_ms"), m("bare", "main_ms"));
    rows << ratioRow(QStringLiteral("… the same for the bare window linking the engine, ms"),
                     m("linked", "main_ms"), m("bare", "main_ms"));
    rows << ratioRow(QStringLiteral("Enter: click on the title picture → textbook window's first frame, ms (limit: bare second window with the cover JPEG)"),
                     m("ours", "enter_ms"), m("bare", "enter_ms"));
    rows << ratioRow(QStringLiteral("First page command 1.5 s after the window is shown → page's first frame, ms (limit: bare view's first load in a fresh process)"),
                     m("ours", "first_ms"), m("cold", "first_ms"), 1.3);
    rows << ratioRow(QStringLiteral("… against a bare view loading 1.5 s after it is shown, ms"),
                     m("ours", "first_ms"), m("idle", "first_ms"));
    rows << ratioRow(QStringLiteral("… to loadFinished only, ms (against the fresh process)"),
                     m("ours", "first_load_ms"), m("cold", "first_load_ms"));
    rows << ratioRow(QStringLiteral("Later page command → page's first frame, ms (limit: fresh bare view in the warmed engine)"),
                     m("ours", "later_ms"), m("idle", "later_fresh_ms"), 1.1);
    rows << ratioRow(QStringLiteral("… against the bare view's second load in the same view, ms"),
                     m("ours", "later_ms"), m("idle", "later_same_ms"));
    {
        const double procs = m("ours", "title_engine_procs");
        Row row { QStringLiteral("Engine processes in the title state (1 s after its first frame)"), number(procs, 0),
                  QStringLiteral("0"), QString(), QStringLiteral("none"), {} };
        if (!std::isnan(procs))
            row.met = verdict(procs == 0);
        rows << row;
    }
    rows << memoryRow(QStringLiteral("Memory, title state: resident MiB of the process tree (limit: bare window)"),
                      m("ours", "title_rss_kib"), m("bare", "title_rss_kib"));
    rows << memoryRow(QStringLiteral("… the bare window linking the engine, title state, MiB"),
                      m("linked", "title_rss_kib"), m("bare", "title_rss_kib"));
    rows << memoryRow(QStringLiteral("Memory, cover state 1.5 s after shown, MiB (limit: bare view shown 1.5 s, empty)"),
                      m("ours", "cover_rss_kib"), m("idle", "cover_rss_kib"));
    rows << memoryRow(QStringLiteral("Memory after the first page, MiB (limit: bare view after its first load)"),
                      m("ours", "after_first_rss_kib"), m("cold", "after_first_rss_kib"));
    const QString soakLabel = QString::number(soak);
    const auto soakRows = [&rows](qsizetype from) {
        for (qsizetype i = from; i < rows.size(); ++i)
            rows[i].soak = true;
    };
    qsizetype from = rows.size();
    rows << memoryRow(QStringLiteral("Memory after %1 page commands, MiB (limit: the same run after its first page)").arg(soakLabel),
                      m("soak", QByteArray("soak_" + soakLabel.toLatin1() + "_rss_kib").constData()),
                      m("soak", "after_first_rss_kib"), 1.1);
    rows << memoryRow(QStringLiteral("… after 100 page commands, MiB"), m("soak", "soak_100_rss_kib"),
                      m("soak", "after_first_rss_kib"));
    rows << memoryRow(QStringLiteral("… of which the program's own process, after %1 (limit: the same after the first page)").arg(soakLabel),
                      m("soak", QByteArray("soak_" + soakLabel.toLatin1() + "_main_rss_kib").constData()),
                      m("soak", "after_first_main_rss_kib"));
    rows << memoryRow(QStringLiteral("… the bare view, the same %1 loads (limit: the bare view after its first load)").arg(soakLabel),
                      m("baresoak", QByteArray("soak_" + soakLabel.toLatin1() + "_rss_kib").constData()),
                      m("baresoak", "after_first_rss_kib"));
    rows << memoryRow(QStringLiteral("… ours after %1 against the bare view after the same %1 loads").arg(soakLabel),
                      m("soak", QByteArray("soak_" + soakLabel.toLatin1() + "_rss_kib").constData()),
                      m("baresoak", QByteArray("soak_" + soakLabel.toLatin1() + "_rss_kib").constData()));
    soakRows(from);
    rows << ratioRow(QStringLiteral("Processes in the tree after the first page (limit: bare view)"),
                     m("ours", "after_first_procs"), m("cold", "after_first_procs"), nan, 0);
    rows << ratioRow(QStringLiteral("Descriptors, title state (limit: bare window)"), m("ours", "title_fds"),
                     m("bare", "title_fds"), nan, 0);
    rows << ratioRow(QStringLiteral("Descriptors after the first page (limit: bare view)"), m("ours", "after_first_fds"),
                     m("cold", "after_first_fds"), nan, 0);
    from = rows.size();
    rows << growthRow(QStringLiteral("Descriptors after %1 page commands (limit: the same run after its first page)").arg(soakLabel),
                      m("soak", QByteArray("soak_" + soakLabel.toLatin1() + "_fds").constData()),
                      m("soak", "after_first_fds"));
    rows << growthRow(QStringLiteral("… after 100 page commands"), m("soak", "soak_100_fds"), m("soak", "after_first_fds"), false);
    rows << growthRow(QStringLiteral("… the bare view's descriptors after the same %1 loads (limit: after its first load)").arg(soakLabel),
                      m("baresoak", QByteArray("soak_" + soakLabel.toLatin1() + "_fds").constData()),
                      m("baresoak", "after_first_fds"), false);
    soakRows(from);
    rows << ratioRow(QStringLiteral("Threads, title state (limit: bare window)"), m("ours", "title_threads"),
                     m("bare", "title_threads"), nan, 0);
    rows << ratioRow(QStringLiteral("Threads after the first page (limit: bare view)"), m("ours", "after_first_threads"),
                     m("cold", "after_first_threads"), nan, 0);
    from = rows.size();
    rows << growthRow(QStringLiteral("Threads after %1 page commands (limit: the same run after its first page)").arg(soakLabel),
                      m("soak", QByteArray("soak_" + soakLabel.toLatin1() + "_threads").constData()),
                      m("soak", "after_first_threads"));
    rows << growthRow(QStringLiteral("… after 100 page commands"), m("soak", "soak_100_threads"), m("soak", "after_first_threads"), false);
    rows << growthRow(QStringLiteral("… the bare view's threads after the same %1 loads (limit: after its first load)").arg(soakLabel),
                      m("baresoak", QByteArray("soak_" + soakLabel.toLatin1() + "_threads").constData()),
                      m("baresoak", "after_first_threads"), false);
    soakRows(from);
    rows << ratioRow(QStringLiteral("Exit: exit command → whole process tree gone, ms (limit: bare view quitting after its first load)"),
                     m("ours", "exit_ms"), m("cold", "exit_ms"));
    rows << ratioRow(QStringLiteral("… exit after %1 page commands, ms").arg(soakLabel), m("soak", "exit_ms"),
                     m("cold", "exit_ms"));
    rows.last().soak = true;
    {
        const int ours = int(r.Sum(QStringLiteral("ours"), "first_pixel_ok"));
        const int oursRuns = r.Count(QStringLiteral("ours"), "first_pixel_ok");
        const int bare = int(r.Sum(QStringLiteral("cold"), "first_pixel_ok")) + int(r.Sum(QStringLiteral("idle"), "first_pixel_ok"));
        const int bareRuns = r.Count(QStringLiteral("cold"), "first_pixel_ok") + r.Count(QStringLiteral("idle"), "first_pixel_ok");
        rows << Row { QStringLiteral("Pages render: the first page, settled, shows the course background (pixel check), runs"),
                      QStringLiteral("%1/%2").arg(ours).arg(oursRuns), QStringLiteral("%1/%2").arg(bare).arg(bareRuns),
                      QString(), QStringLiteral("all"), oursRuns ? verdict(ours == oursRuns) : QString() };
    }
    {
        const int noFrame = int(r.Sum(QStringLiteral("ours"), "first_noframe") + r.Sum(QStringLiteral("ours"), "later_noframe"));
        const int bareNoFrame = int(r.Sum(QStringLiteral("cold"), "first_noframe") + r.Sum(QStringLiteral("idle"), "first_noframe")
                                    + r.Sum(QStringLiteral("idle"), "later_same_noframe") + r.Sum(QStringLiteral("idle"), "later_fresh_noframe"));
        rows << Row { QStringLiteral("Timed page commands where no frame matched the settled page (timed at the first frame after loadFinished then)"),
                      QString::number(noFrame), QString::number(bareNoFrame), QString(), QString(), QString() };
    }
    rows << Row { QStringLiteral("Soak: page commands / failed loads (missing pages) / timeouts / seconds"),
                  QStringLiteral("%1 / %2 / %3 / %4")
                      .arg(number(m("soak", "soak_commands"), 0), number(m("soak", "soak_failed"), 0),
                           number(m("soak", "soak_timeouts"), 0), number(m("soak", "soak_s"), 1)),
                  QString(), QString(), QString(), QString(), true };
    Q_UNUSED(runs);
    return rows;
}

QString markdown(const QList<Row> &rows)
{
    QString text = QStringLiteral("| figure | ours | limit | ratio | target | |\n|---|---:|---:|---:|---|---|\n");
    for (const Row &row : rows)
        text += QStringLiteral("| %1 | %2 | %3 | %4 | %5 | %6 |\n")
                    .arg(row.figure, row.ours, row.limit, row.ratio, row.target, row.met);
    return text;
}

// The leads against the plain X11 figures.
QString leadsTable(const Results &plain, const Results &leads, bool rendered)
{
    struct Figure {
        const char *label;
        const char *kind;
        const char *key;
        const char *limitKind;
        const char *limitKey;
        bool memory;
    };
    const Figure figures[] = {
        { "Start-up, ms", "ours", "title_ms", "bare", "title_ms", false },
        { "Bare window linking the engine: start-up, ms", "linked", "title_ms", "bare", "title_ms", false },
        { "Enter, ms", "ours", "enter_ms", "bare", "enter_ms", false },
        { "First page command, ms", "ours", "first_ms", "cold", "first_ms", false },
        { "Later page command, ms", "ours", "later_ms", "idle", "later_fresh_ms", false },
        { "Memory, title state, MiB", "ours", "title_rss_kib", "bare", "title_rss_kib", true },
        { "Memory, cover state, MiB", "ours", "cover_rss_kib", "idle", "cover_rss_kib", true },
        { "Memory after the first page, MiB", "ours", "after_first_rss_kib", "cold", "after_first_rss_kib", true },
        { "Exit, ms", "ours", "exit_ms", "cold", "exit_ms", false },
    };
    QString text = QStringLiteral(
        "| figure | ours, defaults | ours, leads | change | limit, defaults | ratio to it | limit, leads | ratio to it |\n"
        "|---|---:|---:|---:|---:|---:|---:|---:|\n");
    for (const Figure &f : figures) {
        const double scale = f.memory ? 1.0 / 1024 : 1.0;
        const double before = plain.Median(QString::fromLatin1(f.kind), f.key) * scale;
        const double after = leads.Median(QString::fromLatin1(f.kind), f.key) * scale;
        const double limit = plain.Median(QString::fromLatin1(f.limitKind), f.limitKey) * scale;
        const double leadsLimit = leads.Median(QString::fromLatin1(f.limitKind), f.limitKey) * scale;
        QString change = QStringLiteral("—");
        if (!std::isnan(before) && !std::isnan(after) && before > 0)
            change = QStringLiteral("%1%2 %").arg(after >= before ? "+" : "").arg((after / before - 1) * 100, 0, 'f', 0);
        text += QStringLiteral("| %1 | %2 | %3 | %4 | %5 | %6 | %7 | %8 |\n")
                    .arg(QString::fromUtf8(f.label), number(before), number(after), change, number(limit),
                         ratioText(after, limit), number(leadsLimit), ratioText(after, leadsLimit));
    }
    text += QStringLiteral("\nPages render with the leads set (the settled first page shows the course background, pixel check): %1.\n")
                .arg(rendered ? QStringLiteral("yes, in every run") : QStringLiteral("**no, not in every run**"));
    return text;
}

QString machine()
{
    QString model;
    QFile cpu(QStringLiteral("/proc/cpuinfo"));
    if (cpu.open(QIODevice::ReadOnly))
        for (const QByteArray &line : cpu.readAll().split('\n'))
            if (line.startsWith("model name")) {
                model = QString::fromUtf8(line.mid(line.indexOf(':') + 1).trimmed());
                break;
            }
    QFile load(QStringLiteral("/proc/loadavg"));
    QString average;
    if (load.open(QIODevice::ReadOnly))
        average = QString::fromUtf8(load.readAll().split(' ').mid(0, 3).join(' '));
    return QStringLiteral("%1 × %2, %3; load average %4 at the start")
        .arg(sysconf(_SC_NPROCESSORS_ONLN))
        .arg(model, QSysInfo::prettyProductName(), average);
}

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication application(argc, argv);
    QCommandLineParser parser;
    parser.addHelpOption();
    const QCommandLineOption binOption(QStringLiteral("bin"), QStringLiteral("Folder of the harnesses."), QStringLiteral("dir"));
    const QCommandLineOption courseOption(QStringLiteral("course"), QStringLiteral("The assembled course."), QStringLiteral("dir"));
    const QCommandLineOption catalogueOption(QStringLiteral("catalogue"), QStringLiteral("The menu catalogue."), QStringLiteral("file"));
    const QCommandLineOption assetsOption(QStringLiteral("assets"), QStringLiteral("The program's pictures."), QStringLiteral("dir"));
    const QCommandLineOption runsOption(QStringLiteral("runs"), QStringLiteral("Counted runs of each harness."), QStringLiteral("n"), QStringLiteral("7"));
    const QCommandLineOption soakOption(QStringLiteral("soak"), QStringLiteral("Page commands of the soak run."), QStringLiteral("n"), QStringLiteral("1000"));
    const QCommandLineOption outOption(QStringLiteral("out"), QStringLiteral("Markdown file to write."), QStringLiteral("file"));
    const QCommandLineOption logOption(QStringLiteral("log"), QStringLiteral("Where the harnesses' stderr goes."), QStringLiteral("file"), QStringLiteral("/dev/null"));
    const QCommandLineOption configOption(QStringLiteral("config"), QStringLiteral("offscreen, xvfb=:N, gl=:N or leads=:N."), QStringLiteral("config"));
    parser.addOptions({ binOption, courseOption, catalogueOption, assetsOption, runsOption, soakOption, outOption, logOption, configOption });
    parser.process(application);

    // The harnesses start in other folders: every path absolute.
    const auto absolute = [&parser](const QCommandLineOption &option) {
        return parser.isSet(option) ? QFileInfo(parser.value(option)).absoluteFilePath() : QString();
    };
    const QString bin = absolute(binOption);
    const QString assets = absolute(assetsOption);
    const int runs = parser.value(runsOption).toInt();
    const int soak = parser.value(soakOption).toInt();
    QList<Config> configs;
    for (const QString &value : parser.values(configOption)) {
        const QStringList parts = value.split('=');
        configs << Config { parts.value(0), parts.value(1) };
    }
    if (bin.isEmpty() || configs.isEmpty() || runs < 1) {
        parser.showHelp(2);
    }

    ::prctl(PR_SET_CHILD_SUBREAPER, 1);
    QTemporaryDir work;
    Course course;
    if (!work.isValid()
        || !prepareCourse(absolute(courseOption), absolute(catalogueOption), work.path(), &course)) {
        std::fputs("bench_driver: cannot prepare the course folder\n", stderr);
        return 1;
    }
    const int logFd = ::open(QFile::encodeName(parser.value(logOption)).constData(),
                             O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
    const QString runtime = work.path() + QStringLiteral("/runtime");
    QDir().mkpath(runtime);
    QFile::setPermissions(runtime, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    const QString started = QDateTime::currentDateTime().toString(Qt::ISODate);
    const QString machineText = machine();

    const QString firstPage = course.dir + QStringLiteral("/teoria/1/0.html");
    const QString laterPage = course.dir + QStringLiteral("/teoria/4/4.1.html");
    struct Kind {
        QString name;
        QString program;
        QStringList arguments;
        QString directory;
        int timeoutMs;
    };
    const QList<Kind> kinds {
        { QStringLiteral("ours"), bin + QStringLiteral("/bench_textbook"), { QStringLiteral("--pages"), course.pagesFile }, course.dir, 60000 },
        { QStringLiteral("bare"), bin + QStringLiteral("/bench_bare_window"),
          { assets + QStringLiteral("/title.jpg"), assets + QStringLiteral("/background.jpg") }, work.path(), 30000 },
        { QStringLiteral("linked"), bin + QStringLiteral("/bench_bare_linked"),
          { assets + QStringLiteral("/title.jpg"), assets + QStringLiteral("/background.jpg") }, work.path(), 30000 },
        { QStringLiteral("cold"), bin + QStringLiteral("/bench_bare_view"), { QStringLiteral("cold"), firstPage }, work.path(), 60000 },
        { QStringLiteral("idle"), bin + QStringLiteral("/bench_bare_view"), { QStringLiteral("idle"), firstPage, laterPage }, work.path(), 60000 },
    };
    const Kind soakKind { QStringLiteral("soak"), bin + QStringLiteral("/bench_textbook"),
                          { QStringLiteral("--pages"), course.pagesFile, QStringLiteral("--soak"), QString::number(soak) },
                          course.dir, 600000 };
    const Kind bareSoakKind { QStringLiteral("baresoak"), bin + QStringLiteral("/bench_bare_view"),
                              { QStringLiteral("soak"), firstPage, course.filesFile, QString::number(soak) },
                              work.path(), 600000 };

    QString report;
    QHash<QString, Results> all;
    QStringList problems;
    for (const Config &config : configs) {
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        for (const QString &key : environment.keys())
            if (key.startsWith(QLatin1String("BENCH_")))
                environment.remove(key);
        for (const char *key : { "DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM", "QT_QUICK_BACKEND", "QT_XCB_GL_INTEGRATION" })
            environment.remove(QString::fromLatin1(key));
        if (!environment.contains(QStringLiteral("XDG_RUNTIME_DIR")))
            environment.insert(QStringLiteral("XDG_RUNTIME_DIR"), runtime);
        if (config.name == QLatin1String("offscreen")) {
            environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
        } else {
            environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("xcb"));
            environment.insert(QStringLiteral("DISPLAY"), config.display);
            if (config.name == QLatin1String("leads")) {
                environment.insert(QStringLiteral("QT_QUICK_BACKEND"), QStringLiteral("software"));
                environment.insert(QStringLiteral("QT_XCB_GL_INTEGRATION"), QStringLiteral("none"));
            } else if (config.name == QLatin1String("gl")) {
                // Set, but empty: Qt takes its defaults (Qt Quick on the RHI,
                // GLX), and a program that only sets them when unset leaves
                // them so.
                environment.insert(QStringLiteral("QT_QUICK_BACKEND"), QString());
                environment.insert(QStringLiteral("QT_XCB_GL_INTEGRATION"), QString());
            }
        }
        const QStringList env = environment.toStringList();
        Results &results = all[config.name];
        const qint64 configStart = Bench::NowNs();
        std::fprintf(stderr, "== %s\n", qPrintable(config.Title()));
        const auto run = [&](const Kind &kind, bool counted, int round) {
            Child child(kind.program, kind.arguments, env, kind.directory, logFd);
            Outcome outcome = child.Wait(kind.timeoutMs);
            if (!outcome.ok) {
                const QString problem = QStringLiteral("%1: %2 round %3: %4")
                                            .arg(config.name, kind.name).arg(round).arg(outcome.problem);
                problems << problem;
                std::fprintf(stderr, "   %s\n", qPrintable(problem));
            }
            if (counted && !outcome.values.isEmpty())
                results.byKind[kind.name] << outcome;
        };
        // One warm-up round, before the first set-up's counted rounds (the
        // disk cache is warm after it for every set-up).
        const bool first = &config == &configs.first();
        for (int round = first ? 0 : 1; round <= runs; ++round) {
            std::fprintf(stderr, "   round %d of %d%s\n", round, runs, round == 0 ? " (warm-up, not counted)" : "");
            for (const Kind &kind : kinds)
                run(kind, round > 0, round);
        }
        // The graphics set-ups are about speed and rendering: no soak there.
        const bool soaked = soak > 0 && config.name != QLatin1String("leads") && config.name != QLatin1String("gl");
        if (soaked) {
            std::fprintf(stderr, "   %d page commands\n", soak);
            run(soakKind, true, 1);
            std::fprintf(stderr, "   %d loads in the bare view\n", soak);
            run(bareSoakKind, true, 1);
        }
        QList<Row> rows = tableRows(results, runs, soak);
        if (!soaked)
            rows.removeIf([](const Row &row) { return row.soak; });
        const QString table = QStringLiteral("### %1\n\nMedians of %2 runs each%3; this set-up took %4 s.\n\n%5")
                                  .arg(config.Title())
                                  .arg(runs)
                                  .arg(soaked ? QStringLiteral(" (the soaks: one run each)") : QStringLiteral(", no soak"))
                                  .arg(Bench::Ms(configStart, Bench::NowNs()) / 1000, 0, 'f', 0)
                                  .arg(markdown(rows));
        std::printf("\n%s", qPrintable(table));
        std::fflush(stdout);
        report += table + QLatin1Char('\n');
    }
    if (all.contains(QStringLiteral("gl")) && all.contains(QStringLiteral("leads"))) {
        const Results &leads = all[QStringLiteral("leads")];
        const int shown = int(leads.Sum(QStringLiteral("ours"), "first_pixel_ok"));
        const bool rendered = shown > 0 && shown == leads.Count(QStringLiteral("ours"), "first_pixel_ok");
        const QString table = QStringLiteral("### Graphics under X11: the toolkit's defaults against the leads\n\n"
                                             "Every program of both set-ups, ours and the limits, runs with the "
                                             "same graphics settings.\n\n%1")
                                  .arg(leadsTable(all[QStringLiteral("gl")], leads, rendered));
        std::printf("\n%s", qPrintable(table));
        report += table + QLatin1Char('\n');
    }
    if (!problems.isEmpty()) {
        QString text = QStringLiteral("\nRuns with a problem (their figures, if any, are counted):\n\n");
        for (const QString &problem : problems)
            text += QStringLiteral("- %1\n").arg(problem);
        std::printf("%s", qPrintable(text));
        report += text;
    }

    if (parser.isSet(outOption)) {
        QFile out(parser.value(outOption));
        if (out.open(QIODevice::WriteOnly | QIODevice::Truncate)) {
            QString missing = course.missing.join(QStringLiteral(", "));
            QString head = QStringLiteral(
                "# Benchmark results\n\n"
                "Written by `bench/run.sh` on %1; %2. The harnesses and what each figure "
                "means are described in `bench/README.md`.\n\n"
                "Ratios are ours against the limit the toolkit itself sets for the same thing, "
                "measured in the same run, round by round, so that they hold on a busy machine. "
                "The soak cycles through the %3 page commands of the menu; %4 of their pages are "
                "taken out of the course folder for it (%5).\n\n")
                               .arg(started, machineText)
                               .arg(course.pages)
                               .arg(course.missing.size())
                               .arg(missing);
            out.write((head + report).toUtf8());
        }
    }
    return problems.isEmpty() ? 0 : 1;
}
