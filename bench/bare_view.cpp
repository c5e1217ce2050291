// The limit for page commands, memory and exit: a bare QWebEngineView (the
// default profile, nothing set) at the size the textbook's pane has, loading
// the same course files.
//
//   bench_bare_view cold FIRST.html
//     A fresh process's first load: the view is shown and, once it is on
//     screen, loads FIRST; a second later the process tree's memory; then the
//     program quits and the driver watches the tree go.
//   bench_bare_view idle FIRST.html LATER.html
//     The same moments as the textbook's: the view is on screen 1.5 s before
//     it loads FIRST; then LATER in the same view; then LATER in a fresh view
//     in the warmed engine.
//   bench_bare_view soak FIRST.html LIST N
//     As idle up to FIRST, then N loads cycling through the files in LIST
//     (one path a line), each started when the one before has finished.
#include "BenchPage.h"

#include <QApplication>
#include <QFile>
#include <QUrl>
#include <QWebEngineView>

#include <cstring>

namespace {

constexpr int paneWidth = 1015;
constexpr int paneHeight = 682;
constexpr int coverMs = 1500;
// The page probe has waited 600 ms after loadFinished already.
constexpr int settleMs = 400;
// The soak does not wait for the probe: a whole second before measuring.
constexpr int soakSettleMs = 1000;
constexpr int beforeExitMs = 300;

QWebEngineView *newView()
{
    auto *view = new QWebEngineView();
    view->resize(paneWidth, paneHeight);
    return view;
}

} // namespace

int main(int argc, char *argv[])
{
    const qint64 mainNs = Bench::NowNs();
    const qint64 startNs = Bench::SpawnNs(mainNs);
    const bool idle = argc >= 4 && std::strcmp(argv[1], "idle") == 0;
    const bool soak = argc >= 5 && std::strcmp(argv[1], "soak") == 0;
    if (argc < 3 || !(idle || soak || std::strcmp(argv[1], "cold") == 0)) {
        std::fputs("usage: bench_bare_view cold FIRST | idle FIRST LATER | soak FIRST LIST N\n", stderr);
        return 2;
    }
    const QUrl first = QUrl::fromLocalFile(QString::fromLocal8Bit(argv[2]));
    const QUrl later = idle ? QUrl::fromLocalFile(QString::fromLocal8Bit(argv[3])) : QUrl();
    QList<QUrl> cycle;
    const int soakCount = soak ? std::atoi(argv[4]) : 0;
    if (soak) {
        QFile list(QString::fromLocal8Bit(argv[3]));
        if (list.open(QIODevice::ReadOnly))
            for (const QByteArray &line : list.readAll().split('\n'))
                if (!line.trimmed().isEmpty())
                    cycle << QUrl::fromLocalFile(QFile::decodeName(line.trimmed()));
        if (cycle.isEmpty()) {
            std::fputs("bench_bare_view: nothing to load in the list\n", stderr);
            return 2;
        }
    }
    // What every program using the engine needs as root, and the engine's
    // start-up chatter off, as the textbook has it.
    if (::geteuid() == 0)
        ::setenv("QTWEBENGINE_DISABLE_SANDBOX", "1", 0);
    ::setenv("QT_LOGGING_RULES", "qt.webenginecontext.info=false", 0);

    QApplication application(argc, argv);
    QWebEngineView *view = newView();
    QWebEngineView *fresh = nullptr;
    Bench::FrameProbe frames;
    Bench::PageProbe loads;

    const auto exitLater = [&] {
        Bench::After(beforeExitMs, &application, [&] {
            Bench::ReportExitStart();
            QCoreApplication::quit();
        });
    };
    const auto laterInFreshView = [&] {
        fresh = newView();
        frames.Arm(fresh, [&](qint64, qint64) {
            loads.Run(fresh, [&] { fresh->load(later); }, [&](const Bench::PageResult &result) {
                Bench::ReportPage("later_fresh", result);
                fresh->deleteLater();
                fresh = nullptr;
                exitLater();
            });
        });
        fresh->show();
    };
    int done = 0;
    int failed = 0;
    std::function<void()> soakStep = [&] {
        const QUrl url = cycle.at(done % cycle.size());
        loads.Run(view, [&, url] { view->load(url); }, [&](const Bench::PageResult &result) {
            ++done;
            failed += !result.ok;
            if (done == 100 || done == soakCount) {
                const int count = done;
                Bench::After(soakSettleMs, &application, [&, count] {
                    Bench::ReportUsage("soak_" + QByteArray::number(count));
                    if (count < soakCount) {
                        soakStep();
                        return;
                    }
                    Bench::Report("soak_commands", done);
                    Bench::Report("soak_failed", failed);
                    exitLater();
                });
                return;
            }
            QTimer::singleShot(0, &application, soakStep);
        }, false);
    };
    const auto laterInSameView = [&] {
        loads.Run(view, [&] { view->load(later); }, [&](const Bench::PageResult &result) {
            Bench::ReportPage("later_same", result);
            Bench::After(settleMs, &application, laterInFreshView);
        });
    };
    const auto firstPage = [&] {
        loads.Run(view, [&] { view->load(first); }, [&](const Bench::PageResult &result) {
            Bench::ReportPage("first", result);
            Bench::After(settleMs, &application, [&] {
                Bench::ReportUsage("after_first");
                if (soak)
                    soakStep();
                else if (idle)
                    laterInSameView();
                else
                    exitLater();
            });
        });
    };

    frames.Arm(view, [&](qint64, qint64 frameNs) {
        Bench::Report("main_ms", Bench::Ms(startNs, mainNs));
        Bench::Report("view_ms", Bench::Ms(startNs, frameNs));
        if (!idle && !soak) {
            firstPage();
            return;
        }
        Bench::After(coverMs, &application, [&] {
            Bench::ReportUsage("cover");
            firstPage();
        });
    });
    view->show();
    const int code = application.exec();
    delete fresh;
    delete view;
    return code;
}
