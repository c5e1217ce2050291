// The real program on a real X display with a window manager: entering with
// a mouse click, the menu from the keyboard, close requests from the window
// manager, and signals; each case ends with nothing of the program left.
#include "DesktopSession.h"
#include "FixtureFiles.h"
#include "ProcessTree.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

#include <csignal>

namespace {

const QString textbookCaption = QStringLiteral("Электронный табличный процессор MS Excel");
// The title window's caption is empty; X11 window managers are then given the
// program's name instead.
const QString titleCaption = QStringLiteral("Project1");


} // namespace

class DesktopTest : public QObject
{
    Q_OBJECT
    DesktopSession desktop_;
    QTemporaryDir course_;
    QProcess program_;
    QList<qint64> tree_;

    void start(const QString &binary = qEnvironmentVariable("TEXTBOOK_BINARY"))
    {
        program_.setProcessEnvironment(desktop_.Environment());
        program_.setWorkingDirectory(course_.path());
        program_.setProcessChannelMode(QProcess::ForwardedChannels);
        program_.start(binary, {});
        QVERIFY(program_.waitForStarted());
    }

    QString enter()
    {
        const QString title = desktop_.WaitForWindow(program_.processId(), titleCaption);
        if (title.isEmpty())
            return {};
        desktop_.Run(QStringLiteral("xdotool"), { "mousemove", "--window", title, "200", "200", "click", "1" });
        return desktop_.WaitForWindow(program_.processId(), textbookCaption);
    }

    void keys(const QString &window, const QStringList &keys)
    {
        desktop_.Run(QStringLiteral("xdotool"), { "windowactivate", "--sync", window });
        // A window just mapped takes a moment before it has the keyboard.
        QTest::qWait(1000);
        for (const QString &key : keys) {
            desktop_.Run(QStringLiteral("xdotool"), { "key", key });
            QTest::qWait(300);
        }
    }

    // The program ends by itself, cleanly, and takes its engine with it.
    void expectEnded()
    {
        if (program_.state() != QProcess::NotRunning)
            QVERIFY(program_.waitForFinished(15000));
        QCOMPARE(program_.exitStatus(), QProcess::NormalExit);
        QCOMPARE(program_.exitCode(), 0);
        for (qint64 pid : tree_) {
            QFile cmd(QStringLiteral("/proc/%1/cmdline").arg(pid));
            cmd.open(QIODevice::ReadOnly);
            QTRY_VERIFY2_WITH_TIMEOUT(!ProcessTree::Alive(pid), cmd.readAll().constData(), 10000);
        }
    }

private slots:
    void initTestCase()
    {
        QString why;
        if (!desktop_.Start(&why))
            QSKIP(qPrintable(why));
        writeFile(course_.filePath("teoria/1/0.html"), "<!DOCTYPE html><meta charset='utf-8'><title>Введение</title><p>Введение");
        // An exercise that notes its process id and runs on.
        writeFile(course_.filePath("zad/1/project1.exe"), "#!/bin/sh\necho $$ > zad1.pid\nexec sleep 120\n", true);
    }

    void cleanup()
    {
        if (program_.state() != QProcess::NotRunning) {
            program_.kill();
            program_.waitForFinished();
        }
        tree_.clear();
    }

    void titleWindowShowsAlone()
    {
        start();
        const QString title = desktop_.WaitForWindow(program_.processId(), titleCaption);
        QVERIFY(!title.isEmpty());
        QTest::qWait(500);
        QVERIFY(desktop_.WaitForWindow(program_.processId(), textbookCaption, 500).isEmpty());
        QCOMPARE(ProcessTree::Descendants(program_.processId()), QList<qint64>());
        // The window manager's close request on the title window ends the program.
        desktop_.Run(QStringLiteral("wmctrl"), { "-i", "-c", title });
        expectEnded();
    }

    void exerciseOutlivesTheTextbookClosedByTheWindowManager()
    {
        QFile::remove(course_.filePath("zad1.pid"));
        start();
        const QString textbook = enter();
        QVERIFY(!textbook.isEmpty());
        QVERIFY(desktop_.WaitForWindow(program_.processId(), titleCaption, 300).isEmpty());
        // ЗАДАНИЯ is the fourth menu from the right end of the bar, "Задание 1" its first entry.
        keys(textbook, { "F10", "Left", "Left", "Left", "Left", "Return" });
        const auto exercisePid = [this] {
            QFile file(course_.filePath("zad1.pid"));
            return file.open(QIODevice::ReadOnly) ? file.readAll().trimmed().toLongLong() : 0;
        };
        QTRY_VERIFY_WITH_TIMEOUT(exercisePid() > 0, 10000);
        const qint64 exercise = exercisePid();
        tree_ = ProcessTree::Descendants(program_.processId());
        QVERIFY(!tree_.contains(exercise));
        // It holds none of the textbook's descriptors beyond the standard three.
        QCOMPARE(ProcessTree::Measure({ exercise }).descriptors, 3);
        desktop_.Run(QStringLiteral("wmctrl"), { "-i", "-c", textbook });
        expectEnded();
        QVERIFY(ProcessTree::Alive(exercise));
        ::kill(exercise, SIGKILL);
    }

    void signalWhileAPageShows_data()
    {
        QTest::addColumn<int>("signal");
        QTest::newRow("SIGTERM") << int(SIGTERM);
        QTest::newRow("SIGINT") << int(SIGINT);
    }
    void signalWhileAPageShows()
    {
        QFETCH(int, signal);
        start();
        const QString textbook = enter();
        QVERIFY(!textbook.isEmpty());
        // ТЕОРИЯ → ВВЕДЕНИЕ
        keys(textbook, { "F10", "Down", "Return" });
        QTRY_VERIFY_WITH_TIMEOUT(!ProcessTree::Descendants(program_.processId()).isEmpty(), 10000);
        QTest::qWait(1000);
        tree_ = ProcessTree::Descendants(program_.processId());
        ::kill(program_.processId(), signal);
        expectEnded();
    }

    void pageCommandWithoutTheBrowserModuleSaysSo()
    {
        // The program alone, without the module that shows pages beside it.
        QTemporaryDir bin;
        const QString alone = bin.filePath(QStringLiteral("Project1"));
        QVERIFY(QFile::copy(qEnvironmentVariable("TEXTBOOK_BINARY"), alone));
        start(alone);
        const QString textbook = enter();
        QVERIFY(!textbook.isEmpty());
        keys(textbook, { "F10", "Down", "Return" });
        // The message box; the title window it shares its caption with is hidden.
        const QString box = desktop_.WaitForWindow(program_.processId(), titleCaption);
        QVERIFY(!box.isEmpty());
        QCOMPARE(ProcessTree::Descendants(program_.processId()), QList<qint64>());
        keys(box, { "Return" });
        QTRY_VERIFY_WITH_TIMEOUT(desktop_.WaitForWindow(program_.processId(), titleCaption, 100).isEmpty(), 5000);
        // Everything else still works: ВЫХОД ends the program.
        keys(textbook, { "F10", "Left", "Return" });
        expectEnded();
    }

    void exitCommandFromTheKeyboard()
    {
        start();
        const QString textbook = enter();
        QVERIFY(!textbook.isEmpty());
        keys(textbook, { "F10", "Down", "Return" });
        QTRY_VERIFY_WITH_TIMEOUT(!ProcessTree::Descendants(program_.processId()).isEmpty(), 10000);
        tree_ = ProcessTree::Descendants(program_.processId());
        QTest::qWait(2000); // the page has loaded and has the keyboard
        // ВЫХОД is the last entry on the bar: Left from the first wraps to it.
        keys(textbook, { "F10", "Left", "Return" });
        expectEnded();
    }
};

QTEST_GUILESS_MAIN(DesktopTest)
#include "tst_desktop.moc"
