#include "TApplication.h"

#include "Exception.h"
#include "TForm.h"
#include "TerminationSignals.h"
#include "TextbookStyle.h"

#include <QIcon>
#include <QLibraryInfo>
#include <QLocale>
#include <QMessageBox>
#include <QPixmap>
#include <QTranslator>

TApplication *Application = nullptr;

TApplication::TApplication(int &argc, char **argv)
    : QApplication(argc, argv)
{
    Application = this;
    // Only closing the main form ends the program, never the last visible window.
    setQuitOnLastWindowClosed(false);
    // A signal to end ends the program as the exit command does.
    connect(new TerminationSignals(this), &TerminationSignals::Received, this, &TApplication::Terminate);
}

TApplication::~TApplication()
{
    // The forms go first, while the toolkit and the web engine are still up.
    DestroyForms();
    Application = nullptr;
}

void TApplication::DestroyForms()
{
    while (!forms_.isEmpty())
        delete forms_.takeLast();
    mainForm_ = nullptr;
    terminated_ = false;
}

void TApplication::Initialize()
{
    // The course is Russian whatever the desktop's language: Qt's own texts,
    // the browser's menus and its error pages follow this locale.
    QLocale::setDefault(QLocale(QLocale::Russian, QLocale::Russia));
    const QString translations = QLibraryInfo::path(QLibraryInfo::TranslationsPath);
    for (const char *catalogue : { "qtbase_ru", "qtwebengine_ru" }) {
        auto *translator = new QTranslator(this);
        if (translator->load(QString::fromLatin1(catalogue), translations))
            installTranslator(translator);
        else
            delete translator;
    }
    // From a pixmap: an icon from a file name first looks through the icon
    // engine plug-ins, which costs the title window about 2 ms.
    setWindowIcon(QIcon(QPixmap(QStringLiteral(":/assets/icon.png"))));
    setStyle(new TextbookStyle());
}

void TApplication::Adopt(TForm *form)
{
    forms_.append(form);
    if (!mainForm_)
        mainForm_ = form;
}

int TApplication::Run()
{
    if (mainForm_)
        mainForm_->Show();
    return exec();
}

void TApplication::Terminate()
{
    terminated_ = true;
    // A modal box has a loop of its own, which quit alone would not end.
    if (QWidget *modal = activeModalWidget())
        modal->close();
    quit();
}

void TApplication::HandleException(std::exception_ptr error) noexcept
{
    QString message;
    try {
        std::rethrow_exception(error);
    } catch (const Exception &e) {
        message = e.Message();
    } catch (const std::exception &e) {
        message = QString::fromUtf8(e.what());
    } catch (...) {
        message = tr("Неизвестная ошибка.");
    }
    try {
        // Queued, so that no box opens inside a paint or a menu's own handling.
        QMetaObject::invokeMethod(this, [this, message] { ShowMessage(message); }, Qt::QueuedConnection);
    } catch (...) {
        // Out of memory while reporting: nothing more can be done.
    }
}

void TApplication::ShowMessage(const QString &message)
{
    auto *box = new QMessageBox(QMessageBox::Critical, QStringLiteral("Project1"), message, QMessageBox::Ok);
    box->setAttribute(Qt::WA_DeleteOnClose);
    box->setObjectName(QStringLiteral("ExceptionMessage"));
    box->open();
    emit ExceptionShown(message);
}

bool TApplication::notify(QObject *receiver, QEvent *event)
{
    // Last resort only: handlers guard their own work, so nothing should get here.
    try {
        return QApplication::notify(receiver, event);
    } catch (...) {
        HandleException(std::current_exception());
        return false;
    }
}
