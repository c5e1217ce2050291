#include "TImage.h"

#include "ClientFill.h"
#include "Exception.h"
#include "TApplication.h"

#include <QCoreApplication>
#include <QMouseEvent>
#include <QPainter>
#include <QResource>

TImage::TImage(QWidget *parent)
    : QWidget(parent)
    , fill_(new ClientFill(this))
{
}

TImage::~TImage() = default;

void TImage::setPicture(const QString &resourcePath)
{
    const QResource resource(resourcePath);
    if (!resource.isValid())
        throw Exception(QCoreApplication::translate("TImage", "Нет рисунка %1.").arg(resourcePath));
    // Uncompressed resources come back as a view of the program's own data: no copy.
    setPicture(resource.uncompressedData());
}

void TImage::setPicture(const QByteArray &compressed)
{
    picture_ = std::make_unique<TJPEGImage>(compressed);
    update();
}

void TImage::setAlign(TAlign align)
{
    fill_->SetAlign(align);
}

TAlign TImage::Align() const
{
    return fill_->Align();
}

void TImage::paintEvent(QPaintEvent *)
{
    if (!picture_)
        return;
    Application->Guard([this] {
        const QImage &bitmap = picture_->Bitmap();
        if (bitmap.isNull())
            return;
        QPainter painter(this);
        painter.drawImage(0, 0, bitmap);
    });
}

void TImage::mousePressEvent(QMouseEvent *event)
{
    pressed_ = event->button() == Qt::LeftButton;
}

void TImage::mouseReleaseEvent(QMouseEvent *event)
{
    const bool completed = pressed_ && event->button() == Qt::LeftButton
        && rect().contains(event->position().toPoint());
    pressed_ = false;
    if (completed)
        emit Click();
}
