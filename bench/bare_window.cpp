// The limit for start-up and for entering the textbook: a bare Qt program
// that shows the title JPEG (read with QImage) in a plain QWidget window the
// size of the title window's client area; then, as the click on the title
// picture does, hides it and shows a second plain window with the cover JPEG
// at the textbook window's client size.
//
//   bench_bare_window TITLE.jpg COVER.jpg
//
// Built twice: bench_bare_window links Qt Widgets only, bench_bare_linked
// links Qt WebEngine Widgets as well without using it (what linking the
// engine alone costs a program).
#include "BenchSupport.h"

#include <QApplication>
#include <QPainter>

namespace {

class Picture : public QWidget
{
public:
    explicit Picture(const QImage &image)
        : image_(image)
    {
    }

protected:
    void paintEvent(QPaintEvent *) override
    {
        QPainter painter(this);
        painter.drawImage(0, 0, image_);
    }

private:
    QImage image_;
};

} // namespace

int main(int argc, char *argv[])
{
    const qint64 mainNs = Bench::NowNs();
    const qint64 startNs = Bench::SpawnNs(mainNs);
    if (argc < 3) {
        std::fputs("usage: bench_bare_window TITLE.jpg COVER.jpg\n", stderr);
        return 2;
    }
    QApplication application(argc, argv);
    Picture title { QImage(QString::fromLocal8Bit(argv[1])) };
    title.resize(570, 433);
    Bench::FrameProbe frames;
    Picture *cover = nullptr;
    qint64 clickNs = 0;

    frames.Arm(&title, [&](qint64 paintNs, qint64 frameNs) {
        Bench::Report("main_ms", Bench::Ms(startNs, mainNs));
        Bench::Report("title_paint_ms", Bench::Ms(startNs, paintNs));
        Bench::Report("title_ms", Bench::Ms(startNs, frameNs));
        Bench::ReportUsage("title");
        // The click: the cover window is made, shown and painted.
        QTimer::singleShot(0, &application, [&] {
            clickNs = Bench::NowNs();
            cover = new Picture(QImage(QString::fromLocal8Bit(argv[2])));
            cover->resize(1015, 682);
            frames.Arm(cover, [&](qint64 paintNs, qint64 frameNs) {
                Bench::Report("enter_paint_ms", Bench::Ms(clickNs, paintNs));
                Bench::Report("enter_ms", Bench::Ms(clickNs, frameNs));
                QCoreApplication::quit();
            });
            cover->show();
            title.hide();
        });
    });
    title.show();
    const int code = application.exec();
    delete cover;
    return code;
}
