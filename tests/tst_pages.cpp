// Page display in the real browser pane: addresses built from the base
// directory, the pane taking over the window, missing pages, bad addresses,
// and course pages kept away from the network.
#include "TextbookTest.h"
#include "toolkit/browser/CoursePage.h"
#include "toolkit/Exception.h"
#include "toolkit/LocalFileUrl.h"

#include <QDesktopServices>
#include <QDir>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QWebEngineHistory>

#include <unistd.h>

namespace {

constexpr int loadTimeoutMs = 20000;


QByteArray page(const QString &title, const QByteArray &body = {}, const char *colour = "#ffffff")
{
    return "<!DOCTYPE html><html><head><meta charset=\"utf-8\"><title>" + title.toUtf8()
        + "</title><style>body{background:" + colour + "}</style></head><body>" + body + "</body></html>";
}

// Receives what the pane hands to the desktop instead of loading it.
class DesktopHandler : public QObject
{
    Q_OBJECT
public:
    QList<QUrl> opened;
public slots:
    void open(const QUrl &url) { opened << url; }
};

} // namespace

class PagesTest : public QObject
{
    Q_OBJECT
    QTemporaryDir root_;
    QString startDir_ = QDir::currentPath();

    // Chooses an entry once the load it starts has finished; returns whether
    // the page loaded.
    bool choose(void (TForm1::*handler)())
    {
        QSignalSpy finished(PageView()->Page(), &QWebEnginePage::loadFinished);
        (Form1->*handler)();
        if (!finished.wait(loadTimeoutMs))
            return false;
        return finished.last().at(0).toBool();
    }

    bool navigateAndWait(const QString &address)
    {
        QSignalSpy finished(PageView()->Page(), &QWebEnginePage::loadFinished);
        Form1->WebBrowser1->Navigate(address);
        return finished.wait(loadTimeoutMs) && finished.last().at(0).toBool();
    }

    // Clicks an element of the page with the mouse, as the student would:
    // some links do nothing when a script clicks them.
    void clickElement(const QString &id)
    {
        QPoint centre;
        bool done = false;
        PageView()->page()->runJavaScript(
            QStringLiteral("(function(){var r=document.getElementById('%1').getBoundingClientRect();"
                           "return [r.left + r.width / 2, r.top + r.height / 2];})()").arg(id),
            [&](const QVariant &result) {
                const QVariantList xy = result.toList();
                centre = QPoint(xy.value(0).toInt(), xy.value(1).toInt());
                done = true;
            });
        QTRY_VERIFY(done);
        QWidget *surface = PageView()->focusProxy();
        QVERIFY(surface);
        QTest::mouseClick(surface, Qt::LeftButton, {}, centre);
    }

    void startIn(const QString &dir) { QVERIFY(EnterTextbookIn(dir)); }

private slots:
    void cleanup()
    {
        Application->DestroyForms();
        QDir::setCurrent(startDir_);
        if (QMessageBox *box = ExceptionBox())
            PressOk(box);
    }

    void localFileUrl_data()
    {
        QTest::addColumn<QString>("address");
        QTest::addColumn<QString>("url");
        QTest::newRow("plain") << "/home/kurs/teoria/4/4.1.html" << "file:///home/kurs/teoria/4/4.1.html";
        QTest::newRow("root: doubled slash") << "//teoria/slov.html" << "file:///teoria/slov.html";
        QTest::newRow("tripled slash") << "///teoria/slov.html" << "file:///teoria/slov.html";
        QTest::newRow("inner doubled slash kept") << "/a//teoria/slov.html" << "file:///a//teoria/slov.html";
        QTest::newRow("space") << "/my kurs/0.html" << "file:///my%20kurs/0.html";
        QTest::newRow("cyrillic") << "/Курс/0.html" << "file:///%D0%9A%D1%83%D1%80%D1%81/0.html";
        QTest::newRow("hash") << "/a#b/0.html" << "file:///a%23b/0.html";
        QTest::newRow("question mark") << "/a?b/0.html" << "file:///a%3Fb/0.html";
        QTest::newRow("percent") << "/100%25/0.html" << "file:///100%2525/0.html";
        QTest::newRow("semicolon") << "/a;b/0.html" << "file:///a;b/0.html";
        QTest::newRow("backslash") << "/a\\b/0.html" << "file:///a%5Cb/0.html";
    }
    void localFileUrl()
    {
        QFETCH(QString, address);
        QFETCH(QString, url);
        const QUrl result = LocalFileUrl(address);
        QCOMPARE(result.toString(QUrl::FullyEncoded), url);
        QVERIFY(result.host().isEmpty());
    }

    void addressesThatAreNoLocalUrl_data()
    {
        QTest::addColumn<QString>("address");
        QTest::newRow("empty") << QString();
        QTest::newRow("relative") << "teoria/slov.html";
        QTest::newRow("a url already") << "http://example.org/";
        QTest::newRow("nul inside") << QStringLiteral("/a") + QChar(u'\0') + QStringLiteral("b.html");
    }
    void addressesThatAreNoLocalUrl()
    {
        QFETCH(QString, address);
        QVERIFY_THROWS_EXCEPTION(Exception, LocalFileUrl(address));
    }

    void pageIsLookedUpUnderTheBaseDirectory_data()
    {
        QTest::addColumn<QString>("folder");
        QTest::newRow("plain") << "kurs";
        QTest::newRow("cyrillic") << "Учебник Excel";
        QTest::newRow("space") << "my course";
        QTest::newRow("hash") << "kurs#2";
        QTest::newRow("percent") << "100%25 kurs";
        QTest::newRow("question mark") << "why?";
        QTest::newRow("semicolon") << "a;b";
    }
    void pageIsLookedUpUnderTheBaseDirectory()
    {
        QFETCH(QString, folder);
        const QString base = root_.filePath(folder);
        writeFile(base + "/teoria/slov.html", page("Словарь в " + folder));
        startIn(base);
        QVERIFY(choose(&TForm1::N4Click));
        QCOMPARE(PageView()->title(), "Словарь в " + folder);
        QCOMPARE(PageView()->url().toLocalFile(), base + "/teoria/slov.html");
    }

    void rootDirectoryIsNoHostName()
    {
        startIn(QStringLiteral("/"));
        QSignalSpy finished(PageView()->Page(), &QWebEnginePage::loadFinished);
        Form1->N4Click();
        QVERIFY(finished.wait(loadTimeoutMs));
        QCOMPARE(PageView()->url().host(), QString());
        QCOMPARE(PageView()->url().path(), QStringLiteral("/teoria/slov.html"));
        // A doubled slash before a real file still opens that file.
        const QString file = root_.filePath("kurs/teoria/slov.html");
        writeFile(file, page("Двойная черта"));
        QVERIFY(navigateAndWait("/" + file));
        QCOMPARE(PageView()->title(), QStringLiteral("Двойная черта"));
    }

    void engineComesUpOnceTheTextbookWindowIsOnScreen()
    {
        QVERIFY(QDir::setCurrent(root_.path()));
        CreateTextbookForms();
        const auto engineView = [] { return Form1->WebBrowser1->findChild<CourseView *>(); };
        Application->MainForm()->Show();
        QVERIFY(QTest::qWaitForWindowExposed(Form2));
        QTest::qWait(200);
        QVERIFY(!engineView());
        Form2->Image1Click();
        QVERIFY(QTest::qWaitForWindowExposed(Form1));
        // Warm before any page command, so the first one does not wait for it.
        QTRY_VERIFY(engineView());
    }

    void firstPageCommandTurnsTheStripIntoThePane()
    {
        const QString base = root_.filePath("layout");
        writeFile(base + "/teoria/slov.html", page("Первая", {}, "#10c010"));
        writeFile(base + "/teoria/1/0.html", page("Вторая", {}, "#10c010"));
        startIn(base);
        TWebBrowser *pane = Form1->WebBrowser1;
        QCOMPARE(pane->geometry(), QRect(984, -2, 260, 3));
        QCOMPARE(pane->Align(), TAlign::alNone);
        QVERIFY(PageView()->url().isEmpty());
        const QImage cover = Form1->centralWidget()->grab().toImage();
        QVERIFY(cover.pixelColor(500, 600) != QColor(0x10, 0xc0, 0x10));

        QVERIFY(choose(&TForm1::N4Click));
        QCOMPARE(pane->geometry(), Form1->centralWidget()->rect());
        QTRY_COMPARE(Form1->centralWidget()->grab().toImage().pixelColor(500, 600), QColor(0x10, 0xc0, 0x10));

        Form1->resize(1200, 800);
        QTRY_COMPARE(pane->size(), Form1->centralWidget()->size());
        QVERIFY(choose(&TForm1::N7Click));
        QCOMPARE(PageView()->title(), QStringLiteral("Вторая"));
        QCOMPARE(pane->geometry(), Form1->centralWidget()->rect());
    }

    void coverShowsWindowColourBeyondThePicture()
    {
        startIn(root_.path());
        Form1->resize(1300, 900);
        QTRY_COMPARE(Form1->centralWidget()->size().width(), 1300);
        const QImage shot = Form1->centralWidget()->grab().toImage();
        const QColor windowColour = Form1->palette().color(QPalette::Button);
        QCOMPARE(shot.pixelColor(1200, 300), windowColour);
        QCOMPARE(shot.pixelColor(300, 850), windowColour);
        QVERIFY(shot.pixelColor(300, 300) != windowColour);
        QCOMPARE(Form1->Image1->geometry(), Form1->centralWidget()->rect());
    }

    void missingPageShowsTheErrorPageAndTheNextCommandWorks()
    {
        const QString base = root_.filePath("missing");
        QDir().mkpath(base);
        startIn(base);
        QVERIFY(!choose(&TForm1::N4Click));
        QVERIFY(!ExceptionBox());
        writeFile(base + "/teoria/1/0.html", page("Введение"));
        QVERIFY(choose(&TForm1::N7Click));
        QCOMPARE(PageView()->title(), QStringLiteral("Введение"));
    }

    void baseDirectoryStaysWhereTheProgramStarted()
    {
        const QString first = root_.filePath("first");
        const QString second = root_.filePath("second");
        writeFile(first + "/teoria/slov.html", page("Первая папка"));
        writeFile(second + "/teoria/slov.html", page("Вторая папка"));
        startIn(first);
        QVERIFY(QDir::setCurrent(second));
        QVERIFY(choose(&TForm1::N4Click));
        QCOMPARE(PageView()->title(), QStringLiteral("Первая папка"));
    }

    void badAddressReachesTheMessageBoxAndThePaneKeepsItsPage()
    {
        const QString base = root_.filePath("bad");
        writeFile(base + "/teoria/slov.html", page("Прежняя"));
        startIn(base);
        QVERIFY(choose(&TForm1::N4Click));
        QSignalSpy shown(Application, &TApplication::ExceptionShown);
        Application->Guard([] { Form1->WebBrowser1->Navigate(QStringLiteral("teoria/slov.html")); });
        QTRY_COMPARE(shown.count(), 1);
        QVERIFY(ExceptionBox());
        QVERIFY(ExceptionBox()->text().contains(QStringLiteral("teoria/slov.html")));
        PressOk(ExceptionBox());
        QCOMPARE(PageView()->title(), QStringLiteral("Прежняя"));
        QCOMPARE(Form1->WebBrowser1->Align(), TAlign::alClient);
    }

    void removedStartFolderGivesAClearMessage()
    {
        const QString base = root_.filePath("removed");
        QDir().mkpath(base);
        QVERIFY(QDir::setCurrent(base));
        QVERIFY(QDir(base).removeRecursively());
        CreateTextbookForms();
        Form2->Image1Click();
        QSignalSpy shown(Application, &TApplication::ExceptionShown);
        Form1->N4Click();
        QTRY_COMPARE(shown.count(), 1);
        QVERIFY(shown.at(0).at(0).toString().contains(QStringLiteral("недоступна")));
        QVERIFY(PageView()->url().isEmpty());
        // The loop goes on: the next command gives the same message again.
        PressOk(ExceptionBox());
        Form1->N7Click();
        QTRY_COMPARE(shown.count(), 2);
    }

    void linksLeavingTheCourseOpenOnTheDesktop_data()
    {
        QTest::addColumn<QString>("href");
        QTest::newRow("https") << "https://example.org/";
        QTest::newRow("http") << "http://example.org/page";
        QTest::newRow("mailto") << "mailto:teacher@example.org";
    }
    void linksLeavingTheCourseOpenOnTheDesktop()
    {
        QFETCH(QString, href);
        DesktopHandler desktop;
        const QString scheme = QUrl(href).scheme();
        QDesktopServices::setUrlHandler(scheme, &desktop, "open");
        const QString base = root_.filePath("links");
        writeFile(base + "/teoria/slov.html",
                  page("Ссылки", "<a id='out' href='" + href.toUtf8() + "'>наружу</a>"));
        startIn(base);
        QVERIFY(choose(&TForm1::N4Click));
        clickElement(QStringLiteral("out"));
        QTRY_COMPARE(desktop.opened.size(), 1);
        QDesktopServices::unsetUrlHandler(scheme);
        QCOMPARE(desktop.opened.first(), QUrl(href));
        QCOMPARE(PageView()->title(), QStringLiteral("Ссылки"));
        QVERIFY(CoursePage::IsLocal(PageView()->url()));
    }

    void newWindowOpensInThePane_data()
    {
        QTest::addColumn<QString>("link");
        QTest::newRow("target=_blank") << "blank";
        QTest::newRow("window.open") << "opener";
    }
    void newWindowOpensInThePane()
    {
        QFETCH(QString, link);
        const QString base = root_.filePath("blank");
        writeFile(base + "/teoria/slov.html", page("Первая", "<a id='blank' target='_blank' href='other.html'>ещё</a><br>"
                                                      "<button id='opener' onclick=\"window.open('other.html')\">окно</button>"));
        writeFile(base + "/teoria/other.html", page("Открыта в панели"));
        startIn(base);
        QVERIFY(choose(&TForm1::N4Click));
        clickElement(link);
        QTRY_COMPARE_WITH_TIMEOUT(PageView()->title(), QStringLiteral("Открыта в панели"), loadTimeoutMs);
        // Back returns to the page that asked for the window.
        QVERIFY(PageView()->history()->canGoBack());
    }
};

TEXTBOOK_TEST_MAIN(PagesTest)
#include "tst_pages.moc"
