// Broken course folders and a misbehaving engine: the textbook stays usable,
// and the next page command always works.
#include "TextbookTest.h"
#include "toolkit/browser/CoursePage.h"

#include <QDir>
#include <QElapsedTimer>
#include <QRandomGenerator>
#include <QSignalSpy>
#include <QTemporaryDir>

#include <csignal>
#include <unistd.h>

namespace {

constexpr int loadTimeoutMs = 30000;


QByteArray titled(const QByteArray &title, const QByteArray &body = {})
{
    return "<!DOCTYPE html><meta charset='utf-8'><title>" + title + "</title>" + body;
}

} // namespace

class FaultsTest : public QObject
{
    Q_OBJECT
    QTemporaryDir course_;
    QString startDir_ = QDir::currentPath();

    // The glossary entry's page is the faulty one; the introduction is sound.
    void expectNextPageWorks()
    {
        QSignalSpy finished(PageView()->Page(), &QWebEnginePage::loadFinished);
        Form1->N7Click();
        QTRY_VERIFY_WITH_TIMEOUT(!finished.isEmpty(), loadTimeoutMs);
        QTRY_COMPARE_WITH_TIMEOUT(PageView()->title(), QStringLiteral("Введение"), loadTimeoutMs);
        QVERIFY(finished.last().at(0).toBool());
    }

    // The window answers at once: its events are handled while a page misbehaves.
    void expectResponsive()
    {
        QElapsedTimer answered;
        answered.start();
        QApplication::processEvents();
        QVERIFY(Form1->isVisible());
        Form1->MainMenu1->setActiveAction(Form1->N1->menuAction());
        QTRY_VERIFY(QApplication::activePopupWidget() == Form1->N1);
        Form1->N1->close();
        QVERIFY(answered.elapsed() < 5000);
    }

private slots:
    void initTestCase()
    {
        writeFile(course_.filePath("teoria/1/0.html"), titled("Введение"));
        QVERIFY(EnterTextbookIn(course_.path()));
    }
    void cleanupTestCase()
    {
        Application->DestroyForms();
        QDir::setCurrent(startDir_);
    }
    void cleanup()
    {
        QFile::remove(course_.filePath("teoria/slov.html"));
        QDir(course_.filePath("teoria/slov.html")).removeRecursively();
        if (QMessageBox *box = ExceptionBox())
            PressOk(box);
    }

    void brokenPages_data()
    {
        QByteArray binary(64 * 1024, Qt::Uninitialized);
        QRandomGenerator noise(7);
        for (char &byte : binary)
            byte = char(noise.bounded(256));
        QByteArray huge = "<!DOCTYPE html><meta charset='utf-8'><title>Большая</title>";
        const QByteArray paragraph = "<p>" + QByteArray(1000, 'x') + "</p>\n";
        while (huge.size() < 50 * 1024 * 1024)
            huge += paragraph;
        QTest::addColumn<QByteArray>("content");
        QTest::addColumn<bool>("isDirectory");
        QTest::newRow("missing") << QByteArray() << false;
        QTest::newRow("a directory") << QByteArray() << true;
        QTest::newRow("empty") << QByteArray("") << false;
        QTest::newRow("binary") << binary << false;
        QTest::newRow("50 MB") << huge << false;
        QTest::newRow("malformed") << QByteArray("<html><body><table><tr><td><p><b>без конца <i><script>") << false;
        QTest::newRow("script error") << titled("Ошибка", "<script>nothing.here()</script>") << false;
        QTest::newRow("endless script") << titled("Цикл", "<script>for(;;){}</script>") << false;
        QTest::newRow("windows in a loop") << titled("Окна", "<script>for(var i=0;i<500;i++)window.open('x'+i+'.html')</script>") << false;
        QTest::newRow("network") << titled("Сеть", "<img src='https://example.org/a.png'><script src='http://example.org/a.js'></script>"
                                                  "<script>location='https://example.org/'</script>") << false;
    }
    void brokenPages()
    {
        QFETCH(QByteArray, content);
        QFETCH(bool, isDirectory);
        const QString page = course_.filePath("teoria/slov.html");
        if (isDirectory)
            QDir().mkpath(page);
        else if (!content.isNull())
            writeFile(page, content);
        QSignalSpy shown(Application, &TApplication::ExceptionShown);
        QSignalSpy finished(PageView()->Page(), &QWebEnginePage::loadFinished);
        Form1->N4Click();
        finished.wait(3000);
        expectResponsive();
        expectNextPageWorks();
        QCOMPARE(shown.count(), 0);
        // The pane stays on a course page: nothing went to the network.
        QVERIFY(CoursePage::IsLocal(PageView()->url()));
    }

    void unreadablePage()
    {
        if (::geteuid() == 0)
            QSKIP("root reads every file");
        const QString page = course_.filePath("teoria/slov.html");
        writeFile(page, titled("Закрыта"));
        QFile::setPermissions(page, {});
        Form1->N4Click();
        expectNextPageWorks();
    }

    void renderProcessKilledWhileAPageShows()
    {
        writeFile(course_.filePath("teoria/slov.html"), titled("Словарь"));
        QSignalSpy finished(PageView()->Page(), &QWebEnginePage::loadFinished);
        Form1->N4Click();
        QVERIFY(finished.wait(loadTimeoutMs));
        QSignalSpy ended(PageView()->Page(), &QWebEnginePage::renderProcessTerminated);
        const qint64 renderer = PageView()->Page()->renderProcessPid();
        QVERIFY(renderer > 0);
        ::kill(pid_t(renderer), SIGKILL);
        QVERIFY(ended.wait(loadTimeoutMs));
        expectNextPageWorks();
        QVERIFY(PageView()->Page()->renderProcessPid() != renderer);
    }

    void pageCommandsFasterThanPagesLoad()
    {
        writeFile(course_.filePath("teoria/slov.html"), titled("Словарь"));
        for (int i = 0; i < 25; ++i) {
            Form1->N4Click();
            Form1->N7Click();
        }
        Form1->N4Click();
        QTRY_COMPARE_WITH_TIMEOUT(PageView()->title(), QStringLiteral("Словарь"), loadTimeoutMs);
        expectNextPageWorks();
    }

    void veryLongStartFolder()
    {
        // Longer than the usual first guess of a path buffer, within what files allow.
        QString deep = course_.filePath(QStringLiteral("deep"));
        while (deep.size() < 3500)
            deep += QLatin1Char('/') + QString(200, QLatin1Char('d'));
        QVERIFY(QDir().mkpath(deep));
        writeFile(deep + "/teoria/1/0.html", titled("Глубоко"));
        QVERIFY(QDir::setCurrent(deep));
        Application->DestroyForms();
        CreateTextbookForms();
        QVERIFY(QDir::setCurrent(course_.path()));
        Form2->Image1Click();
        QSignalSpy shown(Application, &TApplication::ExceptionShown);
        QSignalSpy finished(PageView()->Page(), &QWebEnginePage::loadFinished);
        Form1->N7Click();
        QVERIFY(finished.wait(loadTimeoutMs));
        QCOMPARE(shown.count(), 0);
        QCOMPARE(PageView()->title(), QStringLiteral("Глубоко"));
    }
};

TEXTBOOK_TEST_MAIN(FaultsTest)
#include "tst_faults.moc"
