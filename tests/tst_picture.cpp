// The JPEG picture: read lazily, decoded with libjpeg, and refusing bad data
// with a clear error; and the program's own pictures in the expected format.
#include "TextbookTest.h"
#include "toolkit/Exception.h"
#include "toolkit/TJPEGImage.h"

#include <QFile>
#include <QImage>
#include <QResource>

namespace {

QByteArray resourceBytes(const QString &path)
{
    return QResource(path).uncompressedData();
}

// Baseline sequential pictures carry an SOF0 marker; others SOF1, SOF2, ...
bool isBaseline(const QByteArray &jpeg)
{
    for (qsizetype i = 2; i + 3 < jpeg.size();) {
        if (uchar(jpeg[i]) != 0xFF)
            return false;
        const uchar marker = uchar(jpeg[i + 1]);
        if (marker >= 0xC0 && marker <= 0xCF && marker != 0xC4 && marker != 0xC8 && marker != 0xCC)
            return marker == 0xC0;
        i += 2 + ((uchar(jpeg[i + 2]) << 8) | uchar(jpeg[i + 3]));
    }
    return false;
}

} // namespace

class PictureTest : public QObject
{
    Q_OBJECT
private slots:
    void programPictures_data()
    {
        QTest::addColumn<QString>("path");
        QTest::addColumn<int>("width");
        QTest::addColumn<int>("height");
        QTest::newRow("title") << ":/assets/title.jpg" << 567 << 425;
        QTest::newRow("cover") << ":/assets/background.jpg" << 1024 << 683;
    }
    void programPictures()
    {
        QFETCH(QString, path);
        QFETCH(int, width);
        QFETCH(int, height);
        const QByteArray bytes = resourceBytes(path);
        QVERIFY(isBaseline(bytes));
        TJPEGImage picture(bytes);
        QCOMPARE(picture.Width(), width);
        QCOMPARE(picture.Height(), height);
        QCOMPARE(picture.Components(), 3);
        QVERIFY(!picture.Progressive());
        QVERIFY(!picture.Decoded());
        const QImage &bitmap = picture.Bitmap();
        QVERIFY(picture.Decoded());
        QCOMPARE(bitmap.size(), QSize(width, height));
        // Decoded by us, it matches what Qt's own reader makes of the same file.
        const QImage reference = QImage::fromData(bytes).convertToFormat(QImage::Format_RGB888);
        QCOMPARE(bitmap.pixelColor(width / 2, height / 2), reference.pixelColor(width / 2, height / 2));
    }

    void icon()
    {
        const QImage icon(QStringLiteral(":/assets/icon.png"));
        QCOMPARE(icon.size(), QSize(32, 32));
        QVERIFY(icon.colorCount() > 0 && icon.colorCount() <= 16);
    }

    void badData_data()
    {
        const QByteArray good = resourceBytes(QStringLiteral(":/assets/title.jpg"));
        QByteArray corruptScan = good;
        for (qsizetype i = good.size() / 2; i < good.size() / 2 + 64; ++i)
            corruptScan[i] = char(0xFF);
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<bool>("headerReadable");
        QTest::newRow("empty") << QByteArray() << false;
        QTest::newRow("not a picture") << QByteArray("GIF89a, or anything else at all") << false;
        QTest::newRow("only the start marker") << good.left(2) << false;
        QTest::newRow("truncated") << good.left(good.size() / 2) << true;
        QTest::newRow("corrupt scan data") << corruptScan << true;
    }
    void badData()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(bool, headerReadable);
        try {
            TJPEGImage picture(bytes);
            QVERIFY(headerReadable);
            try {
                picture.Bitmap();
                QFAIL("a damaged picture was decoded as if whole");
            } catch (const Exception &error) {
                QVERIFY(error.Message().contains(QStringLiteral("повреждён")));
            }
            // The error is raised once; later draws just draw nothing.
            QVERIFY(picture.Bitmap().isNull());
        } catch (const Exception &error) {
            QVERIFY(!headerReadable);
            QVERIFY(error.Message().startsWith(QStringLiteral("Рисунок JPEG")));
        }
    }
};

TEXTBOOK_TEST_MAIN(PictureTest)
#include "tst_picture.moc"
