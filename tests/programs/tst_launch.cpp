// Each built program, started as the textbook starts it: it must come up,
// stay up, and end normally when asked to (SIGTERM), without crashing.
#include <QProcess>
#include <QTemporaryDir>
#include <QtTest>

class LaunchTest : public QObject
{
    Q_OBJECT

private slots:
    void runsAndEndsCleanly_data();
    void runsAndEndsCleanly();
};

void LaunchTest::runsAndEndsCleanly_data()
{
    QTest::addColumn<QString>("program");
    QTest::addColumn<QStringList>("arguments");

    const QString course = QStringLiteral(COURSE_DIR);
    QTest::newRow("test/test.exe") << course + "/test/test.exe" << QStringList{};
    for (int n = 1; n <= 5; ++n)
        QTest::newRow(qPrintable(QString("zad/%1/project1.exe").arg(n)))
            << QString("%1/zad/%2/project1.exe").arg(course).arg(n) << QStringList{};
    // A broken question file: the test shows the problem instead of failing.
    QTest::newRow("test.exe, broken questions") << course + "/test/test.exe" << QStringList{"broken"};
}

void LaunchTest::runsAndEndsCleanly()
{
    QFETCH(QString, program);
    QFETCH(QStringList, arguments);
    QVERIFY2(QFileInfo(program).isExecutable(), qPrintable(program));

    QTemporaryDir dir;
    if (arguments == QStringList{"broken"}) {
        QFile file(dir.filePath("questions.txt"));
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write("+ ответ без вопроса\n");
        arguments = QStringList{file.fileName()};
    }

    QProcess process;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert("QT_QPA_PLATFORM", "offscreen");
    process.setProcessEnvironment(environment);
    process.setWorkingDirectory(dir.path()); // not the program's folder, as from the textbook
    process.start(program, arguments);
    QVERIFY2(process.waitForStarted(5000), qPrintable(process.errorString()));
    QVERIFY2(!process.waitForFinished(1000), qPrintable(process.readAllStandardError())); // still running

    process.terminate();
    QVERIFY(process.waitForFinished(5000));
    QCOMPARE(process.exitStatus(), QProcess::NormalExit);
    QCOMPARE(process.exitCode(), 0);
}

QTEST_GUILESS_MAIN(LaunchTest)
#include "tst_launch.moc"
