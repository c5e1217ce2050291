// The real program as a process: it starts into the title window without the
// web engine, and a signal to end ends it cleanly.
#include "ProcessTree.h"

#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

#include <csignal>

class LifecycleTest : public QObject
{
    Q_OBJECT
private slots:
    void signalEndsTheProgram_data()
    {
        QTest::addColumn<int>("signal");
        QTest::newRow("SIGTERM") << int(SIGTERM);
        QTest::newRow("SIGINT") << int(SIGINT);
        QTest::newRow("SIGHUP") << int(SIGHUP);
    }
    void signalEndsTheProgram()
    {
        QFETCH(int, signal);
        QTemporaryDir course;
        QProcess program;
        program.setWorkingDirectory(course.path());
        program.start(qEnvironmentVariable("TEXTBOOK_BINARY"), {});
        QVERIFY(program.waitForStarted());
        // Up and idle in the title window: no engine process yet.
        QTest::qWait(1500);
        QCOMPARE(program.state(), QProcess::Running);
        QCOMPARE(ProcessTree::Descendants(program.processId()), QList<qint64>());
        ::kill(program.processId(), signal);
        QVERIFY(program.waitForFinished(10000));
        QCOMPARE(program.exitStatus(), QProcess::NormalExit);
        QCOMPARE(program.exitCode(), 0);
    }
};

QTEST_GUILESS_MAIN(LifecycleTest)
#include "tst_lifecycle.moc"
