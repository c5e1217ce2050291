#pragma once

#include <QByteArray>
#include <QImage>
#include <QString>

// A JPEG picture kept compressed: the header is read when the picture is
// loaded, and the pixels are decoded the first time they are asked for.
class TJPEGImage
{
public:
    // Reads the header only; raises Exception when it is not a readable JPEG.
    explicit TJPEGImage(const QByteArray &compressed);

    int Width() const { return width_; }
    int Height() const { return height_; }
    int Components() const { return components_; }
    bool Progressive() const { return progressive_; }
    bool Decoded() const { return !bitmap_.isNull(); }

    // The RGB bitmap, decoded on the first call and kept. A picture whose data
    // turns out corrupt or truncated raises Exception once and stays empty.
    const QImage &Bitmap();

private:
    QByteArray compressed_;
    int width_ = 0;
    int height_ = 0;
    int components_ = 0;
    bool progressive_ = false;
    bool failed_ = false;
    QImage bitmap_;
};
