// The two windows and the way between them: start-up, enter, exit, close
// requests from outside, the title picture's clicks, and the default error
// handler.
#include "TextbookTest.h"
#include "toolkit/Exception.h"

#include <QScreen>
#include <QResource>
#include <QSignalSpy>
#include <QTimer>

#include <unistd.h>

namespace {

// Runs the program's loop with `during` queued as its first event; returns
// once the loop has ended, or after a few seconds if it never does.
bool runLoop(const std::function<void()> &during)
{
    bool ended = false;
    QTimer::singleShot(0, during);
    QTimer guard;
    guard.setSingleShot(true);
    QObject::connect(&guard, &QTimer::timeout, Application, [] { QApplication::exit(1); });
    guard.start(5000);
    ended = Application->Run() == 0;
    return ended;
}

// Records the order in which windows are hidden.
class HideRecorder : public QObject
{
public:
    QStringList hidden;
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() == QEvent::Hide)
            hidden << watched->objectName();
        return false;
    }
};

} // namespace

class ShellTest : public QObject
{
    Q_OBJECT
private slots:
    void init() { CreateTextbookForms(); }
    void cleanup() { Application->DestroyForms(); }

    void startUpShowsOnlyTheTitleWindow()
    {
        QCOMPARE(Application->MainForm(), static_cast<TForm *>(Form2));
        QVERIFY(Form1 && !Form1->isVisible());
        bool titleVisible = false;
        bool textbookVisible = true;
        QVERIFY(runLoop([&] {
            titleVisible = Form2->isVisible();
            textbookVisible = Form1->isVisible();
            Application->Terminate();
        }));
        QVERIFY(titleVisible);
        QVERIFY(!textbookVisible);
        QVERIFY(Form2->windowTitle().isEmpty());
    }

    void titleWindowIsCentredOnTheDesktop()
    {
        Form2->Show();
        const QRect desktop = Form2->screen()->availableGeometry();
        const QRect frame = Form2->frameGeometry();
        QVERIFY(qAbs((frame.left() - desktop.left()) - (desktop.right() - frame.right())) <= 4);
        QVERIFY(qAbs((frame.top() - desktop.top()) - (desktop.bottom() - frame.bottom())) <= 4);
    }

    void windowSettings_data()
    {
        QTest::addColumn<bool>("textbook");
        QTest::addColumn<QSize>("client");
        QTest::addColumn<QString>("caption");
        QTest::newRow("title") << false << QSize(570, 433) << QString();
        QTest::newRow("textbook") << true << QSize(1015, 682) << QStringLiteral("Электронный табличный процессор MS Excel");
    }
    void windowSettings()
    {
        QFETCH(bool, textbook);
        QFETCH(QSize, client);
        QFETCH(QString, caption);
        TForm *form = textbook ? static_cast<TForm *>(Form1) : static_cast<TForm *>(Form2);
        form->Show();
        QVERIFY(QTest::qWaitForWindowExposed(form));
        QCOMPARE(form->centralWidget()->size(), client);
        QCOMPARE(form->windowTitle(), caption);
        const Qt::WindowFlags flags = form->windowFlags();
        QVERIFY(flags.testFlag(Qt::CustomizeWindowHint) && flags.testFlag(Qt::WindowTitleHint));
        for (Qt::WindowType absent : { Qt::WindowSystemMenuHint, Qt::WindowCloseButtonHint,
                                       Qt::WindowMinimizeButtonHint, Qt::WindowMaximizeButtonHint })
            QVERIFY(!flags.testFlag(absent));
        QCOMPARE(form->font().family(), QStringLiteral("MS Sans Serif"));
        QCOMPARE(form->menuWidget() != nullptr, textbook);
    }

    void enterShowsTheTextbookAndHidesTheTitle()
    {
        bool running = false;
        QVERIFY(runLoop([&] {
            Form2->Show();
            Form2->Image1Click();
            QApplication::processEvents();
            running = !Application->Terminated();
            QVERIFY(Form1->isVisible());
            QVERIFY(Form1->isActiveWindow());
            QVERIFY(!Form2->isVisible());
            QCOMPARE(Application->MainForm(), static_cast<TForm *>(Form2));
            Application->Terminate();
        }));
        QVERIFY(running);
    }

    void exitHidesTheTextbookFirstAndEndsTheLoop()
    {
        HideRecorder recorder;
        Form1->installEventFilter(&recorder);
        Form2->installEventFilter(&recorder);
        QVERIFY(runLoop([] {
            Form2->Image1Click();
            Form1->N90Click();
        }));
        QVERIFY(Application->Terminated());
        QCOMPARE(recorder.hidden.value(0), QStringLiteral("TForm2")); // by enter
        QCOMPARE(recorder.hidden.mid(1), QStringList({ "TForm1" }));  // the title window was hidden already
        QVERIFY(!Form1->isVisible());
    }

    void closeRequestFromOutsideEndsTheProgram_data()
    {
        QTest::addColumn<bool>("entered");
        QTest::newRow("title window") << false;
        QTest::newRow("textbook window") << true;
    }
    void closeRequestFromOutsideEndsTheProgram()
    {
        QFETCH(bool, entered);
        QVERIFY(runLoop([entered] {
            if (entered)
                Form2->Image1Click();
            // QWidget::close is what a window manager's request comes to.
            (entered ? static_cast<QWidget *>(Form1) : static_cast<QWidget *>(Form2))->close();
        }));
        QVERIFY(Application->Terminated());
        QVERIFY(!Form1->isVisible() && !Form2->isVisible());
    }

    void closingTheTextbookByTheProgramOnlyHidesIt()
    {
        Form2->Image1Click();
        Form1->Close();
        QApplication::processEvents();
        QVERIFY(!Form1->isVisible());
        QVERIFY(!Application->Terminated());
    }

    void titleClicks_data()
    {
        QTest::addColumn<QPoint>("press");
        QTest::addColumn<QPoint>("release");
        QTest::addColumn<bool>("enters");
        QTest::newRow("on the picture") << QPoint(200, 200) << QPoint(200, 200) << true;
        QTest::newRow("pressed on it, released elsewhere on it") << QPoint(10, 10) << QPoint(500, 400) << true;
        QTest::newRow("pressed on it, released off it") << QPoint(200, 200) << QPoint(569, 430) << false;
        QTest::newRow("right margin") << QPoint(569, 200) << QPoint(569, 200) << false;
        QTest::newRow("bottom margin") << QPoint(200, 428) << QPoint(200, 428) << false;
    }
    void titleClicks()
    {
        QFETCH(QPoint, press);
        QFETCH(QPoint, release);
        QFETCH(bool, enters);
        Form2->Show();
        QVERIFY(QTest::qWaitForWindowExposed(Form2));
        QWindow *window = Form2->windowHandle();
        QTest::mousePress(window, Qt::LeftButton, {}, press);
        QTest::mouseRelease(window, Qt::LeftButton, {}, release);
        QCOMPARE(Form1->isVisible(), enters);
        QCOMPARE(Form2->isVisible(), !enters);
    }

    void rightButtonDoesNotEnter()
    {
        Form2->Show();
        QVERIFY(QTest::qWaitForWindowExposed(Form2));
        QTest::mouseClick(Form2->windowHandle(), Qt::RightButton, {}, QPoint(200, 200));
        QVERIFY(!Form1->isVisible());
    }

    void resizingLeavesThePictureInPlace()
    {
        Form2->Show();
        Form2->resize(800, 600);
        QVERIFY(QTest::qWaitForWindowExposed(Form2));
        QCOMPARE(Form2->Image1->geometry(), QRect(0, 0, 569, 425));
        const QImage shot = Form2->grab().toImage();
        const QColor windowColour = Form2->palette().color(QPalette::Button);
        QCOMPARE(shot.pixelColor(700, 500), windowColour); // uncovered area
        QCOMPARE(shot.pixelColor(568, 100), windowColour); // the control's column the picture leaves
        QVERIFY(shot.pixelColor(300, 100) != windowColour);
    }

    void pictureIsDecodedOnFirstPaint()
    {
        QVERIFY(!Form2->Image1->Picture()->Decoded());
        QVERIFY(!Form1->Image1->Picture()->Decoded());
        Form2->Show();
        QVERIFY(QTest::qWaitForWindowExposed(Form2));
        QTRY_VERIFY(Form2->Image1->Picture()->Decoded());
        QVERIFY(!Form1->Image1->Picture()->Decoded());
    }

    void corruptPictureIsReportedOnce()
    {
        QSignalSpy shown(Application, &TApplication::ExceptionShown);
        QByteArray broken = QResource(QStringLiteral(":/assets/title.jpg")).uncompressedData();
        broken.truncate(broken.size() / 3);
        Form2->Image1->setPicture(broken);
        Form2->Show();
        QVERIFY(QTest::qWaitForWindowExposed(Form2));
        QTRY_COMPARE(shown.count(), 1);
        QVERIFY(shown.at(0).at(0).toString().contains(QStringLiteral("повреждён")));
        Form2->repaint();
        QApplication::processEvents();
        QCOMPARE(shown.count(), 1);
        PressOk(ExceptionBox());
    }

    void errorInAHandlerReachesTheMessageBoxAndTheLoopGoesOn()
    {
        QSignalSpy shown(Application, &TApplication::ExceptionShown);
        bool after = false;
        QVERIFY(runLoop([&] {
            Application->Guard([] { throw Exception(QStringLiteral("Проверочная ошибка")); });
            after = true;
            QTimer::singleShot(50, [] {
                QMessageBox *box = ExceptionBox();
                QVERIFY(box);
                QCOMPARE(box->text(), QStringLiteral("Проверочная ошибка"));
                PressOk(box);
                Application->Terminate();
            });
        }));
        QVERIFY(after);
        QCOMPARE(shown.count(), 1);
        QVERIFY(!ExceptionBox());
    }

    void sandboxIsOffOnlyForRoot()
    {
        // The test runs after PrepareProcess, as the program does.
        QCOMPARE(qEnvironmentVariableIsSet("QTWEBENGINE_DISABLE_SANDBOX"), ::geteuid() == 0);
    }
};

TEXTBOOK_TEST_MAIN(ShellTest)
#include "tst_shell.moc"
