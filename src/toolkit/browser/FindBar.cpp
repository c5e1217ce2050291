#include "FindBar.h"

#include <QEvent>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLineEdit>
#include <QToolButton>
#include <QWebEngineFindTextResult>
#include <QWebEnginePage>
#include <QWebEngineView>

FindBar::FindBar(QWebEngineView *view)
    : QWidget(view)
    , view_(view)
    , text_(new QLineEdit(this))
{
    setAutoFillBackground(true);
    text_->setPlaceholderText(tr("Найти на странице"));
    text_->setClearButtonEnabled(true);
    auto *previous = new QToolButton(this);
    previous->setText(QStringLiteral("▲"));
    previous->setToolTip(tr("Предыдущее совпадение (Shift+F3)"));
    auto *next = new QToolButton(this);
    next->setText(QStringLiteral("▼"));
    next->setToolTip(tr("Следующее совпадение (F3)"));
    auto *close = new QToolButton(this);
    close->setText(QStringLiteral("✕"));
    close->setToolTip(tr("Закрыть (Esc)"));
    auto *layout = new QHBoxLayout(this);
    layout->setContentsMargins(4, 4, 4, 4);
    layout->addWidget(text_);
    layout->addWidget(previous);
    layout->addWidget(next);
    layout->addWidget(close);
    connect(text_, &QLineEdit::textChanged, this, [this] { find(false); });
    connect(text_, &QLineEdit::returnPressed, this, &FindBar::FindNext);
    connect(previous, &QToolButton::clicked, this, &FindBar::FindPrevious);
    connect(next, &QToolButton::clicked, this, &FindBar::FindNext);
    connect(close, &QToolButton::clicked, this, &FindBar::Close);
    view_->installEventFilter(this);
    hide();
}

void FindBar::Open()
{
    place();
    show();
    raise();
    text_->setFocus();
    text_->selectAll();
}

void FindBar::FindNext()
{
    if (isHidden())
        Open();
    else
        find(false);
}

void FindBar::FindPrevious()
{
    if (isHidden())
        Open();
    else
        find(true);
}

void FindBar::Close()
{
    view_->page()->findText(QString());
    hide();
    view_->setFocus();
}

void FindBar::find(bool backward)
{
    const QWebEnginePage::FindFlags flags = backward ? QWebEnginePage::FindBackward : QWebEnginePage::FindFlags();
    view_->page()->findText(text_->text(), flags);
}

void FindBar::keyPressEvent(QKeyEvent *event)
{
    if (event->key() == Qt::Key_Escape) {
        Close();
        return;
    }
    QWidget::keyPressEvent(event);
}

void FindBar::place()
{
    const QSize size = sizeHint().expandedTo(QSize(320, 0));
    setGeometry(view_->width() - size.width() - 16, 0, size.width(), size.height());
}

bool FindBar::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == view_ && event->type() == QEvent::Resize && isVisible())
        place();
    return false;
}
