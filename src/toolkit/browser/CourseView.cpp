#include "TWebBrowser.h"

#include "ClientFill.h"
#include "CoursePage.h"
#include "FindBar.h"
#include "LocalFileUrl.h"

#include <QContextMenuEvent>
#include <QMenu>
#include <QMouseEvent>
#include <QPrintDialog>
#include <QPrinter>
#include <QShortcut>
#include <QTimer>

#include <csignal>
#include <memory>

namespace {
// A page that has shown no sign of life this long after a page command is
// taken for hung (a script in an endless loop, say), and its renderer is restarted.
constexpr int hangTimeoutMs = 3000;
constexpr double zoomStep = 1.1;
constexpr double minZoom = 0.25;
constexpr double maxZoom = 5.0;
}

TWebBrowser::TWebBrowser(QWidget *parent)
    : QWebEngineView(parent)
    , fill_(new ClientFill(this))
{
    // The engine itself comes up later (Prepare): the program's first window
    // must not wait for it.
    AddShortcuts();
}

TWebBrowser::~TWebBrowser() = default;

void TWebBrowser::setAlign(TAlign align)
{
    fill_->SetAlign(align);
}

TAlign TWebBrowser::Align() const
{
    return fill_->Align();
}

void TWebBrowser::Navigate(const QString &address)
{
    const QUrl url = LocalFileUrl(address);
    Page()->load(url);
    WatchRenderer(url);
}

void TWebBrowser::WatchRenderer(const QUrl &url)
{
    const int navigation = ++navigation_;
    // Signs of life: the engine answers a script, or the load moves on.
    auto alive = std::make_shared<bool>(false);
    page_->runJavaScript(QStringLiteral("0"), [alive](const QVariant &) { *alive = true; });
    auto progress = connect(page_, &QWebEnginePage::loadProgress, this, [alive](int percent) {
        if (percent > 10)
            *alive = true;
    });
    auto finished = connect(page_, &QWebEnginePage::loadFinished, this, [alive] { *alive = true; });
    QTimer::singleShot(hangTimeoutMs, this, [=, this] {
        disconnect(progress);
        disconnect(finished);
        if (*alive || navigation != navigation_ || page_->renderProcessPid() <= 0)
            return;
        // The engine starts a new renderer for the next load once this one is gone.
        connect(page_, &QWebEnginePage::renderProcessTerminated, this, [this, url] {
            page_->load(url);
        }, Qt::SingleShotConnection);
        ::kill(pid_t(page_->renderProcessPid()), SIGKILL);
    });
}

void TWebBrowser::Prepare()
{
    Page();
}

CoursePage *TWebBrowser::Page()
{
    if (!page_) {
        page_ = new CoursePage(this);
        setPage(page_);
        findBar_ = new FindBar(this);
    }
    return page_;
}

void TWebBrowser::showEvent(QShowEvent *event)
{
    QWebEngineView::showEvent(event);
    if (!page_)
        QTimer::singleShot(0, this, &TWebBrowser::Prepare);
}

void TWebBrowser::AddShortcuts()
{
    const auto add = [this](const QKeySequence &keys, auto action) {
        auto *shortcut = new QShortcut(keys, this, action);
        shortcut->setContext(Qt::WidgetWithChildrenShortcut);
    };
    add(QKeySequence::Find, [this] { Page(); findBar_->Open(); });
    add(QKeySequence(Qt::Key_F3), [this] { Page(); findBar_->FindNext(); });
    add(QKeySequence(Qt::SHIFT | Qt::Key_F3), [this] { Page(); findBar_->FindPrevious(); });
    add(QKeySequence(Qt::CTRL | Qt::Key_Plus), [this] { Zoom(zoomStep); });
    add(QKeySequence(Qt::CTRL | Qt::Key_Equal), [this] { Zoom(zoomStep); });
    add(QKeySequence(Qt::CTRL | Qt::Key_Minus), [this] { Zoom(1 / zoomStep); });
    add(QKeySequence(Qt::CTRL | Qt::Key_0), [this] { Page()->setZoomFactor(1.0); });
    add(QKeySequence::Print, [this] { Print(); });
    add(QKeySequence(Qt::ALT | Qt::Key_Left), [this] { Page()->triggerAction(QWebEnginePage::Back); });
    add(QKeySequence(Qt::ALT | Qt::Key_Right), [this] { Page()->triggerAction(QWebEnginePage::Forward); });
}

void TWebBrowser::Zoom(double factor)
{
    Page()->setZoomFactor(qBound(minZoom, Page()->zoomFactor() * factor, maxZoom));
}

void TWebBrowser::Print()
{
    if (!page_)
        return;
    auto *printer = new QPrinter(QPrinter::HighResolution);
    QPrintDialog dialog(printer, this);
    if (dialog.exec() != QDialog::Accepted) {
        delete printer;
        return;
    }
    connect(this, &QWebEngineView::printFinished, this, [printer] { delete printer; },
            Qt::SingleShotConnection);
    print(printer);
}

void TWebBrowser::contextMenuEvent(QContextMenuEvent *event)
{
    QMenu *menu = createStandardContextMenu();
    // What would leave the course or write files has no place here.
    for (QWebEnginePage::WebAction hidden :
         { QWebEnginePage::ViewSource, QWebEnginePage::InspectElement, QWebEnginePage::SavePage,
           QWebEnginePage::DownloadLinkToDisk, QWebEnginePage::DownloadImageToDisk,
           QWebEnginePage::DownloadMediaToDisk, QWebEnginePage::OpenLinkInNewTab }) {
        if (QAction *action = pageAction(hidden))
            menu->removeAction(action);
    }
    menu->setAttribute(Qt::WA_DeleteOnClose);
    menu->popup(event->globalPos());
}

void TWebBrowser::childEvent(QChildEvent *event)
{
    QWebEngineView::childEvent(event);
    // The engine draws into a child widget of its own, which gets the mouse.
    if (event->added() && event->child()->isWidgetType())
        event->child()->installEventFilter(this);
}

bool TWebBrowser::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::MouseButtonPress) {
        const auto button = static_cast<QMouseEvent *>(event)->button();
        if (button == Qt::BackButton) {
            Page()->triggerAction(QWebEnginePage::Back);
            return true;
        }
        if (button == Qt::ForwardButton) {
            Page()->triggerAction(QWebEnginePage::Forward);
            return true;
        }
    }
    return QWebEngineView::eventFilter(watched, event);
}
