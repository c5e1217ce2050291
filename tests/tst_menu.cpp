// The menu catalogue against the table of contents written out in
// catalogue.tsv, and the real effect of every entry: pages open under the base
// directory, programs start, the exit command ends the program.
#include "TextbookTest.h"
#include "toolkit/browser/CoursePage.h"

#include <QAction>
#include <QDir>
#include <QMenuBar>
#include <QSignalSpy>
#include <QTemporaryDir>

#include <unistd.h>

namespace {

struct Entry {
    QString name, parent, caption, kind, target;
};

QList<Entry> catalogue()
{
    QList<Entry> entries;
    QFile file(qEnvironmentVariable("TEXTBOOK_CATALOGUE"));
    if (!file.open(QIODevice::ReadOnly))
        return entries;
    for (const QByteArray &line : file.readAll().split('\n')) {
        if (line.isEmpty() || line.startsWith('#'))
            continue;
        const QStringList f = QString::fromUtf8(line).split(QLatin1Char('\t'));
        if (f.size() != 5)
            continue;
        const auto dash = [](const QString &s) { return s == QLatin1String("-") ? QString() : s; };
        entries.append({ f[0], dash(f[1]), f[2], f[3], dash(f[4]) });
    }
    return entries;
}

// The live menu, walked from the bar down: each entry with its parent.
void walk(const QList<QAction *> &actions, const QString &parent, QList<Entry> &out)
{
    for (QAction *action : actions) {
        QMenu *submenu = action->menu();
        const QString name = submenu ? submenu->objectName() : action->objectName();
        out.append({ name, parent, action->text(), submenu ? QStringLiteral("submenu") : QString(), {} });
        if (submenu)
            walk(submenu->actions(), name, out);
    }
}

QAction *leaf(const QString &name)
{
    return Form1->findChild<QAction *>(name, Qt::FindDirectChildrenOnly);
}


// Zombie children of this process: what a launch that is waited for by
// nobody leaves behind.
int zombieChildren()
{
    int zombies = 0;
    const QString self = QString::number(::getpid());
    for (const QString &pid : QDir(QStringLiteral("/proc")).entryList(QDir::Dirs)) {
        QFile stat(QStringLiteral("/proc/%1/stat").arg(pid));
        if (!stat.open(QIODevice::ReadOnly))
            continue;
        const QString line = QString::fromLatin1(stat.readAll());
        const QStringList fields = line.mid(line.lastIndexOf(QLatin1Char(')')) + 2).split(QLatin1Char(' '));
        if (fields.value(0) == QLatin1String("Z") && fields.value(1) == self)
            ++zombies;
    }
    return zombies;
}

// A course program stand-in: notes each start in the folder it runs in.
const QByteArray fixtureProgram = "#!/bin/sh\necho \"$0\" >> started.log\n";

int starts(const QString &dir, const QString &program)
{
    QFile log(dir + QStringLiteral("/started.log"));
    if (!log.open(QIODevice::ReadOnly))
        return 0;
    return log.readAll().split('\n').count(program.toUtf8());
}

} // namespace

class MenuTest : public QObject
{
    Q_OBJECT
    QTemporaryDir course_;
    QString startDir_ = QDir::currentPath();
    QList<Entry> expected_ = catalogue();

private slots:
    void initTestCase()
    {
        QCOMPARE(expected_.size(), 152);
        // A course whose every page tells its own path, and stand-in programs.
        for (const Entry &entry : expected_) {
            if (entry.kind == QLatin1String("page"))
                writeFile(course_.path() + entry.target,
                          "<!DOCTYPE html><meta charset='utf-8'><title>" + entry.target.toUtf8() + "</title>");
            else if (entry.kind == QLatin1String("program"))
                writeFile(course_.filePath(entry.target), fixtureProgram, true);
        }
        QVERIFY(EnterTextbookIn(course_.path()));
    }
    void cleanupTestCase()
    {
        Application->DestroyForms();
        QDir::setCurrent(startDir_);
    }

    void menuBarHoldsTheWholeCatalogue()
    {
        QList<Entry> live;
        walk(Form1->MainMenu1->actions(), QString(), live);
        QCOMPARE(live.size(), expected_.size());
        // Compared per parent, in order: the table lists each submenu's entries together.
        for (const Entry &entry : expected_) {
            QList<QString> want, have;
            for (const Entry &e : expected_)
                if (e.parent == entry.parent)
                    want << e.name + QLatin1Char('|') + e.caption;
            for (const Entry &e : live)
                if (e.parent == entry.parent)
                    have << e.name + QLatin1Char('|') + e.caption;
            QCOMPARE(have, want);
        }
        int submenus = 0;
        for (const Entry &e : live)
            submenus += e.kind == QLatin1String("submenu");
        QCOMPARE(submenus, 23);
    }

    void entriesAreFieldsOfTheWindow()
    {
        for (const Entry &entry : expected_) {
            QObject *object = entry.kind == QLatin1String("submenu")
                ? static_cast<QObject *>(Form1->findChild<QMenu *>(entry.name))
                : leaf(entry.name);
            QVERIFY2(object, qPrintable(entry.name));
        }
        QCOMPARE(Form1->N41->text(), QStringLiteral("ВВОД ФОРМУЛ"));
        QCOMPARE(Form1->Query1->text(), QStringLiteral("ОБОЛОЧКА Query"));
        QCOMPARE(Form1->Excel1->title(), QStringLiteral("КОНФИГУРИРОВАНИЕ ПРОГРАММЫ Excel"));
    }

    void entriesArePlainEnabledAndVisible()
    {
        QList<QAction *> all;
        const std::function<void(const QList<QAction *> &)> collect = [&](const QList<QAction *> &actions) {
            for (QAction *action : actions) {
                all << action;
                if (action->menu())
                    collect(action->menu()->actions());
            }
        };
        collect(Form1->MainMenu1->actions());
        QCOMPARE(all.size(), 152);
        for (QAction *action : all) {
            QVERIFY(!action->isSeparator());
            QVERIFY(action->shortcut().isEmpty());
            QVERIFY(action->icon().isNull());
            QVERIFY(!action->isCheckable());
            QVERIFY(action->statusTip().isEmpty() && action->whatsThis().isEmpty());
            QVERIFY(action->isEnabled() && action->isVisible());
        }
    }

    void everyPageCommandOpensItsPage()
    {
        int pages = 0;
        for (const Entry &entry : expected_) {
            if (entry.kind != QLatin1String("page"))
                continue;
            ++pages;
            QSignalSpy finished(PageView()->Page(), &QWebEnginePage::loadFinished);
            leaf(entry.name)->trigger();
            QVERIFY2(finished.wait(20000), qPrintable(entry.name));
            QCOMPARE(PageView()->title(), entry.target);
            QCOMPARE(PageView()->url().toLocalFile(), course_.path() + entry.target);
        }
        QCOMPARE(pages, 122);
        // Choosing the same entry twice loads its page again.
        QSignalSpy finished(PageView()->Page(), &QWebEnginePage::loadFinished);
        Form1->N41->trigger();
        QVERIFY(finished.wait(20000));
        Form1->N41->trigger();
        QVERIFY(finished.wait(20000));
        QCOMPARE(PageView()->title(), QStringLiteral("/teoria/4/4.1.html"));
    }

    void everyProgramCommandStartsItsProgram()
    {
        int programs = 0;
        const QString title = PageView()->title();
        for (const Entry &entry : expected_) {
            if (entry.kind != QLatin1String("program"))
                continue;
            ++programs;
            leaf(entry.name)->trigger();
            QTRY_COMPARE(starts(course_.path(), entry.target), 1);
        }
        QCOMPARE(programs, 6);
        // Twice: a second copy.
        Form1->N310->trigger();
        QTRY_COMPARE(starts(course_.path(), QStringLiteral("zad/3/project1.exe")), 2);
        // The window is left as it was.
        QCOMPARE(PageView()->title(), title);
        QCOMPARE(Form1->WebBrowser1->geometry(), Form1->centralWidget()->rect());
        QTRY_COMPARE(zombieChildren(), 0);
    }

    void brokenProgramsChangeNothing_data()
    {
        QTest::addColumn<QByteArray>("content");
        QTest::addColumn<bool>("executable");
        QTest::addColumn<bool>("isDirectory");
        QTest::newRow("missing") << QByteArray() << false << false;
        QTest::newRow("not executable") << fixtureProgram << false << false;
        QTest::newRow("a directory") << QByteArray() << false << true;
        QTest::newRow("script without interpreter line") << QByteArray("echo x >> started.log\n") << true << false;
        QTest::newRow("crashes at once") << QByteArray("#!/bin/sh\nkill -SEGV $$\n") << true << false;
    }
    void brokenProgramsChangeNothing()
    {
        QFETCH(QByteArray, content);
        QFETCH(bool, executable);
        QFETCH(bool, isDirectory);
        const QString program = course_.filePath(QStringLiteral("zad/5/project1.exe"));
        QFile::remove(program);
        QDir(program).removeRecursively();
        if (isDirectory)
            QDir().mkpath(program);
        else if (!content.isEmpty())
            writeFile(program, content, executable);
        QSignalSpy shown(Application, &TApplication::ExceptionShown);
        const int before = starts(course_.path(), QStringLiteral("zad/5/project1.exe"));
        for (int i = 0; i < 50; ++i)
            Form1->N510->trigger();
        QTest::qWait(200);
        QCOMPARE(starts(course_.path(), QStringLiteral("zad/5/project1.exe")), before);
        QCOMPARE(shown.count(), 0);
        QVERIFY(Form1->isVisible());
        QTRY_COMPARE(zombieChildren(), 0);
    }

    void keyboardReachesTheMenu()
    {
        Form1->activateWindow();
        QTest::keyClick(Form1, Qt::Key_F10);
        QTRY_VERIFY(Form1->MainMenu1->activeAction() == Form1->N1->menuAction());
        QTRY_VERIFY(QApplication::activePopupWidget() == Form1->N1);
        QSignalSpy finished(PageView()->Page(), &QWebEnginePage::loadFinished);
        // The first entry of "ТЕОРИЯ" is the introduction.
        QTest::keyClick(Form1->N1, Qt::Key_Down);
        QTest::keyClick(Form1->N1, Qt::Key_Return);
        QVERIFY(finished.wait(20000));
        QCOMPARE(PageView()->title(), QStringLiteral("/teoria/1/0.html"));
    }

    void exitCommandEndsTheProgram()
    {
        Form1->N90->trigger();
        QVERIFY(!Form1->isVisible());
        QVERIFY(Application->Terminated());
    }
};

TEXTBOOK_TEST_MAIN(MenuTest)
#include "tst_menu.moc"
