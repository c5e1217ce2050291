#include "CourseView.h"

#include "CoursePage.h"
#include "FindBar.h"

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

CourseView::CourseView(QWidget *parent)
    : QWebEngineView(parent)
    , page_(new CoursePage(this))
{
    setPage(page_);
    findBar_ = new FindBar(this);
    AddShortcuts();
}

CourseView::~CourseView() = default;

QWidget *CourseView::Widget()
{
    return this;
}

void CourseView::Load(const QUrl &url)
{
    page_->load(url);
    WatchRenderer(url);
}

CoursePage *CourseView::Page() const
{
    return page_;
}

void CourseView::WatchRenderer(const QUrl &url)
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

void CourseView::AddShortcuts()
{
    const auto add = [this](const QKeySequence &keys, auto action) {
        auto *shortcut = new QShortcut(keys, this, action);
        shortcut->setContext(Qt::WidgetWithChildrenShortcut);
    };
    add(QKeySequence::Find, [this] { findBar_->Open(); });
    add(QKeySequence(Qt::Key_F3), [this] { findBar_->FindNext(); });
    add(QKeySequence(Qt::SHIFT | Qt::Key_F3), [this] { findBar_->FindPrevious(); });
    add(QKeySequence(Qt::CTRL | Qt::Key_Plus), [this] { Zoom(zoomStep); });
    add(QKeySequence(Qt::CTRL | Qt::Key_Equal), [this] { Zoom(zoomStep); });
    add(QKeySequence(Qt::CTRL | Qt::Key_Minus), [this] { Zoom(1 / zoomStep); });
    add(QKeySequence(Qt::CTRL | Qt::Key_0), [this] { page_->setZoomFactor(1.0); });
    add(QKeySequence::Print, [this] { Print(); });
    add(QKeySequence(Qt::ALT | Qt::Key_Left), [this] { page_->triggerAction(QWebEnginePage::Back); });
    add(QKeySequence(Qt::ALT | Qt::Key_Right), [this] { page_->triggerAction(QWebEnginePage::Forward); });
}

void CourseView::Zoom(double factor)
{
    page_->setZoomFactor(qBound(minZoom, page_->zoomFactor() * factor, maxZoom));
}

void CourseView::Print()
{
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

void CourseView::contextMenuEvent(QContextMenuEvent *event)
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

void CourseView::childEvent(QChildEvent *event)
{
    QWebEngineView::childEvent(event);
    // The engine draws into a child widget of its own, which gets the mouse.
    if (event->added() && event->child()->isWidgetType())
        event->child()->installEventFilter(this);
}

bool CourseView::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::MouseButtonPress) {
        const auto button = static_cast<QMouseEvent *>(event)->button();
        if (button == Qt::BackButton) {
            page_->triggerAction(QWebEnginePage::Back);
            return true;
        }
        if (button == Qt::ForwardButton) {
            page_->triggerAction(QWebEnginePage::Forward);
            return true;
        }
    }
    return QWebEngineView::eventFilter(watched, event);
}

extern "C" Q_DECL_EXPORT PaneView *CreatePaneView(QWidget *parent)
{
    return new CourseView(parent);
}
