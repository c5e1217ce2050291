#pragma once

#include "Unit1.h"
#include "Unit2.h"
#include "toolkit/ProcessSetup.h"
#include "toolkit/TApplication.h"
#include "toolkit/browser/CourseView.h"

#include "FixtureFiles.h"

#include <QAbstractButton>
#include <QMessageBox>
#include <QTest>

// Tests run in the program's own application object, set up as the program
// sets it up.
#define TEXTBOOK_TEST_MAIN(TestClass)                                  \
    int main(int argc, char *argv[])                                   \
    {                                                                  \
        PrepareProcess();                                              \
        TApplication application(argc, argv);                          \
        Application->Initialize();                                     \
        TestClass test;                                                \
        return QTest::qExec(&test, argc, argv);                        \
    }

// The two windows, created in the program's order.
inline void CreateTextbookForms()
{
    Application->CreateForm(Form2);
    Application->CreateForm(Form1);
}

// Starts the textbook from a folder, as a student does from the course
// folder, and enters it past the title window.
inline bool EnterTextbookIn(const QString &dir)
{
    if (!QDir::setCurrent(dir))
        return false;
    CreateTextbookForms();
    Form2->Image1Click();
    return QTest::qWaitForWindowExposed(Form1);
}

// The web engine's view in the textbook window's browser pane.
inline CourseView *PageView()
{
    return qobject_cast<CourseView *>(Form1->WebBrowser1->View());
}

// The message box the default error handler opened, if any.
inline QMessageBox *ExceptionBox()
{
    for (QWidget *widget : QApplication::topLevelWidgets())
        if (widget->objectName() == QLatin1String("ExceptionMessage") && widget->isVisible())
            return qobject_cast<QMessageBox *>(widget);
    return nullptr;
}

// Presses OK on it, as the student would.
inline void PressOk(QMessageBox *box)
{
    box->button(QMessageBox::Ok)->click();
}
