#include "ClientFill.h"

#include <QEvent>
#include <QWidget>

ClientFill::ClientFill(QWidget *control)
    : QObject(control)
    , control_(control)
{
    control_->installEventFilter(this);
}

void ClientFill::SetAlign(TAlign align)
{
    if (align_ == align)
        return;
    align_ = align;
    if (QWidget *parent = control_->parentWidget())
        parent->installEventFilter(this);
    fill();
}

bool ClientFill::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == control_ && event->type() == QEvent::ParentChange) {
        if (QWidget *parent = control_->parentWidget())
            parent->installEventFilter(this);
        fill();
    } else if (watched == control_->parentWidget() && event->type() == QEvent::Resize) {
        fill();
    }
    return false;
}

void ClientFill::fill()
{
    QWidget *parent = control_->parentWidget();
    if (align_ == TAlign::alClient && parent)
        control_->setGeometry(parent->rect());
}
