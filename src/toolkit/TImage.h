#pragma once

#include "TAlign.h"
#include "TJPEGImage.h"

#include <QWidget>

#include <memory>

class ClientFill;

// A picture control: draws its JPEG picture at natural size from its top-left
// corner, and reports a completed click (pressed and released over it).
class TImage : public QWidget
{
    Q_OBJECT
public:
    explicit TImage(QWidget *parent = nullptr);
    ~TImage() override;

    // Loads the picture from a resource of the program; only its header is read.
    void setPicture(const QString &resourcePath);
    void setPicture(const QByteArray &compressed);
    TJPEGImage *Picture() const { return picture_.get(); }

    void setAlign(TAlign align);
    TAlign Align() const;

signals:
    void Click();

protected:
    void paintEvent(QPaintEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;

private:
    std::unique_ptr<TJPEGImage> picture_;
    ClientFill *fill_;
    bool pressed_ = false;
};
