#pragma once

#include "TAlign.h"

#include <QObject>

class QWidget;

// Keeps a control at the size of its parent while its alignment is alClient.
class ClientFill : public QObject
{
    Q_OBJECT
public:
    explicit ClientFill(QWidget *control);

    TAlign Align() const { return align_; }
    void SetAlign(TAlign align);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void fill();

    QWidget *control_;
    TAlign align_ = TAlign::alNone;
};
