// The textbook as the student meets it, timed from inside: the program body
// of Project1.cpp line for line, with a session object added just before the
// loop starts that watches the windows and gives the commands.
//
//   bench_textbook [--pages FILE] [--soak N] [--title-only]
//
// --title-only ends the program once the title window's first frame is out
// (for profiling start-up, e.g. under valgrind --tool=callgrind).
//
// The session: the title window's first frame (start-up, counted from the
// process start the driver passes in BENCH_T0_NS); a second in the title
// window (no engine process may run there); a click on the title picture
// (enter: to the textbook window's first frame); 1.5 s on the cover (the
// student reads the menu); the first page command (Введение, N7Click); a
// second after it has loaded, memory after the first page; then either a
// later page command (N41Click) or N page commands cycling through the
// handlers listed in FILE; last the exit command (N90Click), whose end the
// driver watches from outside. Started in a course folder: pages are looked
// up there.
#include "BenchPage.h"

#include "Unit1.h"
#include "Unit2.h"
#include "toolkit/ProcessSetup.h"
#include "toolkit/TApplication.h"

#include <QFile>
#include <QMessageBox>

#include <cstdio>
#include <exception>

namespace {

constexpr int titleIdleMs = 1000;
constexpr int coverMs = 1500;
// The page probe has waited 600 ms after loadFinished already.
constexpr int settleMs = 400;
// The soak does not wait for the probe: a whole second before measuring.
constexpr int soakSettleMs = 1000;
constexpr int beforeExitMs = 300;

class Session : public QObject
{
public:
    Session(qint64 mainNs, const QList<QByteArray> &pages, int soak, bool titleOnly)
        : titleOnly_(titleOnly)
        , startNs_(Bench::SpawnNs(mainNs))
        , mainNs_(mainNs)
        , pages_(pages)
        , soak_(soak)
        , frames_(this)
        , loads_(this)
    {
        frames_.Arm(Form2->Image1, [this](qint64 paintNs, qint64 frameNs) { Title(paintNs, frameNs); });
    }

private:
    // The engine's view in the pane (the engine is up by the first page command).
    QWidget *Pane() const { return Form1->WebBrowser1->View(); }

    void Title(qint64 paintNs, qint64 frameNs)
    {
        Bench::Report("main_ms", Bench::Ms(startNs_, mainNs_));
        Bench::Report("title_paint_ms", Bench::Ms(startNs_, paintNs));
        Bench::Report("title_ms", Bench::Ms(startNs_, frameNs));
        if (titleOnly_) {
            Application->Terminate();
            return;
        }
        Bench::After(titleIdleMs, this, [this] { TitleState(); });
    }

    void TitleState()
    {
        Bench::Report("title_engine_procs", ProcessTree::Descendants(::getpid()).size());
        Bench::ReportUsage("title");
        frames_.Arm(Form1->Image1, [this](qint64 paintNs, qint64 frameNs) {
            Bench::Report("enter_paint_ms", Bench::Ms(clickNs_, paintNs));
            Bench::Report("enter_ms", Bench::Ms(clickNs_, frameNs));
            Bench::After(coverMs, this, [this] { Cover(); });
        });
        clickNs_ = Bench::NowNs();
        Form2->Image1Click();
    }

    void Cover()
    {
        Bench::ReportUsage("cover");
        loads_.Run(Pane(), [] { Form1->N7Click(); }, [this](const Bench::PageResult &result) {
            Bench::ReportPage("first", result);
            Bench::After(settleMs, this, [this] {
                Bench::ReportUsage("after_first");
                if (soak_ > 0) {
                    soakStartNs_ = Bench::NowNs();
                    SoakStep();
                } else {
                    Later();
                }
            });
        });
    }

    void Later()
    {
        loads_.Run(Pane(), [] { Form1->N41Click(); }, [this](const Bench::PageResult &result) {
            Bench::ReportPage("later", result);
            Bench::After(beforeExitMs, this, [this] { Exit(); });
        });
    }

    // One of the soak's page commands; a page missing from the course
    // folder ends in loadFinished(false) and the engine's error page.
    void SoakStep()
    {
        if (pages_.isEmpty()) {
            std::fputs("bench_textbook: --soak needs --pages\n", stderr);
            Exit();
            return;
        }
        const QByteArray handler = pages_.at(done_ % pages_.size());
        loads_.Run(
            Pane(),
            [handler] {
                if (!QMetaObject::invokeMethod(Form1, handler.constData()))
                    std::fprintf(stderr, "bench_textbook: no handler %s\n", handler.constData());
            },
            [this](const Bench::PageResult &result) {
                ++done_;
                failed_ += !result.ok;
                timedOut_ += result.timedOut;
                if (done_ == 100 || done_ == soak_) {
                    const int count = done_;
                    Bench::After(soakSettleMs, this, [this, count] {
                        Bench::ReportUsage("soak_" + QByteArray::number(count));
                        if (count == soak_)
                            SoakEnd();
                        else
                            SoakStep();
                    });
                    return;
                }
                QTimer::singleShot(0, this, [this] { SoakStep(); });
            },
            false);
    }

    void SoakEnd()
    {
        Bench::Report("soak_commands", done_);
        Bench::Report("soak_failed", failed_);
        Bench::Report("soak_timeouts", timedOut_);
        // Without the two pauses for measuring.
        Bench::Report("soak_s", Bench::Ms(soakStartNs_, Bench::NowNs()) / 1000 - 2.0 * soakSettleMs / 1000);
        Bench::After(beforeExitMs, this, [this] { Exit(); });
    }

    void Exit()
    {
        Bench::ReportExitStart();
        Form1->N90Click();
    }

    const bool titleOnly_;
    const qint64 startNs_;
    const qint64 mainNs_;
    const QList<QByteArray> pages_;
    const int soak_;
    Bench::FrameProbe frames_;
    Bench::PageProbe loads_;
    qint64 clickNs_ = 0;
    qint64 soakStartNs_ = 0;
    int done_ = 0;
    int failed_ = 0;
    int timedOut_ = 0;
};

QList<QByteArray> readPages(const char *path)
{
    QList<QByteArray> pages;
    QFile file(QString::fromLocal8Bit(path));
    if (file.open(QIODevice::ReadOnly))
        for (const QByteArray &line : file.readAll().split('\n'))
            if (!line.trimmed().isEmpty())
                pages << line.trimmed();
    return pages;
}

} // namespace

int main(int argc, char *argv[])
{
    const qint64 mainNs = Bench::NowNs();
    QList<QByteArray> pages;
    int soak = 0;
    bool titleOnly = false;
    for (int i = 1; i < argc; ++i)
        titleOnly = titleOnly || qstrcmp(argv[i], "--title-only") == 0;
    for (int i = 1; i + 1 < argc; ++i) {
        if (qstrcmp(argv[i], "--pages") == 0)
            pages = readPages(argv[i + 1]);
        else if (qstrcmp(argv[i], "--soak") == 0)
            soak = std::atoi(argv[i + 1]);
    }

    // From here on as in Project1.cpp, and the session just before the loop.
    PrepareProcess();
    TApplication application(argc, argv);
    try {
        Application->Initialize();
        Application->CreateForm(Form2);
        Application->CreateForm(Form1);
    } catch (const std::exception &error) {
        std::fprintf(stderr, "Project1: %s\n", error.what());
        QMessageBox::critical(nullptr, QStringLiteral("Project1"), QString::fromUtf8(error.what()));
        return 1;
    }
    Session session(mainNs, pages, soak, titleOnly);
    return Application->Run();
}
