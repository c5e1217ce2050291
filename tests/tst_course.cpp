// The bundled sample course: every page the menu opens is there, loads in the
// real engine without a script error, and every local link, picture,
// stylesheet and script it names resolves, anchors included.
#include "TextbookTest.h"
#include "toolkit/browser/CoursePage.h"

#include <QDir>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QSignalSpy>

namespace {

QStringList pageTargets()
{
    QStringList pages;
    QFile file(qEnvironmentVariable("TEXTBOOK_CATALOGUE"));
    if (!file.open(QIODevice::ReadOnly))
        return pages;
    for (const QByteArray &line : file.readAll().split('\n')) {
        const QList<QByteArray> fields = line.split('\t');
        if (fields.size() == 5 && fields[3] == "page")
            pages << QString::fromUtf8(fields[4]);
    }
    return pages;
}

// What a page refers to, and the ids it offers to links from elsewhere.
const char *inventory = R"((function () {
  var refs = [];
  document.querySelectorAll('[href],[src]').forEach(function (e) {
    refs.push(e.href !== undefined && e.getAttribute('href') !== null ? e.href : e.src);
  });
  var ids = [];
  document.querySelectorAll('[id]').forEach(function (e) { ids.push(e.id); });
  return JSON.stringify({ refs: refs, ids: ids, charset: document.characterSet,
                          styled: document.styleSheets.length, text: document.body.innerText.length });
})())";

} // namespace

class CourseTest : public QObject
{
    Q_OBJECT
    const QString course_ = qEnvironmentVariable("TEXTBOOK_COURSE");
    const QString startDir_ = QDir::currentPath();

private slots:
    void initTestCase()
    {
        QVERIFY(QFileInfo(course_).isDir());
        QVERIFY(EnterTextbookIn(course_));
    }
    void cleanupTestCase()
    {
        Application->DestroyForms();
        QDir::setCurrent(startDir_);
    }

    void everyPageOfTheMenuIsThere()
    {
        const QStringList pages = pageTargets();
        QCOMPARE(pages.size(), 122);
        for (const QString &page : pages)
            QVERIFY2(QFileInfo(course_ + page).isFile(), qPrintable(page));
    }

    void everyPageLoadsCleanlyAndItsLinksResolve()
    {
        TWebBrowser *pane = Form1->WebBrowser1;
        pane->setAlign(TAlign::alClient);
        QStringList errors;
        QString current;
        connect(PageView()->Page(), &CoursePage::ConsoleMessage, this,
                [&](int level, const QString &message, int line, const QString &source) {
                    if (level == QWebEnginePage::ErrorMessageLevel)
                        errors << QStringLiteral("%1: %2 (%3:%4)").arg(current, message, source).arg(line);
                });
        QHash<QString, QSet<QString>> idsOfPage;
        QList<QPair<QString, QUrl>> anchors; // page, link with a fragment
        for (const QString &page : pageTargets()) {
            current = page;
            QSignalSpy finished(PageView()->Page(), &QWebEnginePage::loadFinished);
            pane->Navigate(course_ + page);
            QVERIFY2(finished.wait(20000), qPrintable(page));
            QVERIFY2(finished.last().at(0).toBool(), qPrintable(page));
            QJsonObject found;
            bool done = false;
            PageView()->page()->runJavaScript(QString::fromLatin1(inventory), [&](const QVariant &result) {
                found = QJsonDocument::fromJson(result.toString().toUtf8()).object();
                done = true;
            });
            QTRY_VERIFY(done);
            QCOMPARE(found.value("charset").toString(), QStringLiteral("UTF-8"));
            QVERIFY2(found.value("styled").toInt() > 0, qPrintable(page));
            QVERIFY2(found.value("text").toInt() > 200, qPrintable(page + " holds almost no text"));
            QSet<QString> ids;
            for (const QJsonValue &id : found.value("ids").toArray())
                ids.insert(id.toString());
            idsOfPage.insert(QFileInfo(course_ + page).canonicalFilePath(), ids);
            for (const QJsonValue &ref : found.value("refs").toArray()) {
                const QUrl url(ref.toString());
                QVERIFY2(url.scheme() == QLatin1String("file") || url.scheme() == QLatin1String("data")
                             || url.scheme() == QLatin1String("mailto"),
                         qPrintable(page + " refers to " + ref.toString()));
                if (url.scheme() != QLatin1String("file"))
                    continue;
                QVERIFY2(QFileInfo::exists(url.toLocalFile()), qPrintable(page + " links to missing " + url.toLocalFile()));
                if (url.hasFragment())
                    anchors.append({ page, url });
            }
            // Let the page's own timers run a little: players start on their own.
            QTest::qWait(20);
        }
        QVERIFY2(errors.isEmpty(), qPrintable(errors.join(QLatin1Char('\n'))));
        for (const auto &[page, url] : anchors) {
            const QString target = QFileInfo(url.toLocalFile()).canonicalFilePath();
            if (!idsOfPage.contains(target))
                continue; // a page the menu does not open directly
            QVERIFY2(idsOfPage.value(target).contains(url.fragment(QUrl::FullyDecoded)),
                     qPrintable(page + " links to a missing anchor " + url.toString()));
        }
    }
};

TEXTBOOK_TEST_MAIN(CourseTest)
#include "tst_course.moc"
