#include "TForm.h"

#include "TApplication.h"

#include <QCloseEvent>
#include <QMenuBar>
#include <QScreen>
#include <QShortcut>

TForm::TForm(QWidget *parent)
    : QMainWindow(parent)
{
    setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint);
    setAutoFillBackground(true);
    setBackgroundRole(QPalette::Button);
    // F10 reaches the menu bar from the keyboard, as on other desktops; Alt does too.
    auto *menuKey = new QShortcut(QKeySequence(Qt::Key_F10), this);
    connect(menuKey, &QShortcut::activated, this, [this] {
        if (auto *bar = qobject_cast<QMenuBar *>(menuWidget()); bar && !bar->actions().isEmpty()) {
            // The bar keeps the keyboard when the arrows move onto one of its
            // own commands, so Enter there works too.
            bar->setFocus(Qt::ShortcutFocusReason);
            bar->setActiveAction(bar->actions().first());
        }
    });
}

void TForm::Show()
{
    show();
    raise();
    activateWindow();
}

void TForm::Hide()
{
    hide();
}

void TForm::Close()
{
    closingByProgram_ = true;
    close();
    closingByProgram_ = false;
}

void TForm::setVisible(bool visible)
{
    if (visible && !placed_) {
        placed_ = true;
        // Measuring the menu bar sets up its fonts: worth doing only once the
        // window is about to be seen, not while the program starts.
        if (clientSize_.isValid() && menuWidget())
            resize(clientSize_.width(), clientSize_.height() + menuWidget()->sizeHint().height());
        CenterOnDesktop();
    }
    QMainWindow::setVisible(visible);
}

void TForm::SetClientSize(int width, int height)
{
    // The menu bar's height is added when the window is first shown.
    clientSize_ = QSize(width, height);
    resize(clientSize_);
}

void TForm::CenterOnDesktop()
{
    const QScreen *desktop = screen() ? screen() : QGuiApplication::primaryScreen();
    if (!desktop)
        return;
    // The frame's own size is known only once the window manager has it; the
    // client area's is close enough to centre by.
    const QRect area = desktop->availableGeometry();
    move(area.x() + (area.width() - width()) / 2, area.y() + (area.height() - height()) / 2);
}

void TForm::closeEvent(QCloseEvent *event)
{
    event->accept();
    if (this == Application->MainForm()) {
        Application->Terminate();
        return;
    }
    // Closing another form only hides it. When the request came from outside,
    // a program with no window left would run on unseen: end it instead.
    if (!closingByProgram_)
        QMetaObject::invokeMethod(this, &TForm::EndIfNothingLeftOpen, Qt::QueuedConnection);
}

void TForm::EndIfNothingLeftOpen()
{
    for (const TForm *form : Application->Forms())
        if (form->isVisible())
            return;
    if (TForm *main = Application->MainForm())
        main->Close();
}
