#include "TWebBrowser.h"

#include "BrowserEngine.h"
#include "ClientFill.h"
#include "Exception.h"
#include "LocalFileUrl.h"
#include "PaneView.h"

#include <QTimer>
#include <QVBoxLayout>
#include <QWindow>

TWebBrowser::TWebBrowser(QWidget *parent)
    : QWidget(parent)
    , fill_(new ClientFill(this))
{
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
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
    Prepare();
    view_->Load(url);
}

void TWebBrowser::Prepare()
{
    if (view_)
        return;
    view_ = BrowserEngine::CreateView(this);
    layout()->addWidget(view_->Widget());
    setFocusProxy(view_->Widget());
}

QWidget *TWebBrowser::View()
{
    Prepare();
    return view_->Widget();
}

void TWebBrowser::showEvent(QShowEvent *event)
{
    QWidget::showEvent(event);
    if (view_ || waitingForFrame_)
        return;
    QWindow *frame = window()->windowHandle();
    if (!frame)
        return;
    waitingForFrame_ = true;
    if (frame->isExposed())
        QTimer::singleShot(0, this, &TWebBrowser::PrepareAfterFirstFrame);
    else
        frame->installEventFilter(this);
}

bool TWebBrowser::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::Expose && static_cast<QWindow *>(watched)->isExposed()) {
        watched->removeEventFilter(this);
        // Queued behind the frame this exposure paints.
        QTimer::singleShot(0, this, &TWebBrowser::PrepareAfterFirstFrame);
    }
    return QWidget::eventFilter(watched, event);
}

void TWebBrowser::PrepareAfterFirstFrame()
{
    try {
        Prepare();
    } catch (const Exception &) {
        // Nobody asked for a page yet: the first page command reports it.
    }
}
