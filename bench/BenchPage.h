#pragma once

// The first painted frame of a page in a QWebEngineView.
//
// The engine draws into the view's render widget (its focus proxy, a
// QQuickWidget). From the command on, every frame that widget takes part in
// is noted as FrameProbe does (its Paint, then the event loop back once the
// window is flushed) and its picture is grabbed right then (on a grid of
// every 8th pixel). 600 ms after loadFinished the page has settled and is
// grabbed once more: the page's first frame is the first noted frame whose
// picture matches the settled one (fewer than 1 % of the grid's pixels
// differ). "loadFinished and the next frame" alone is not enough: the
// first frame after loadFinished is sometimes still white, or still the
// previous page.
//
// A grab costs 2-5 ms; it is taken after the frame's time is noted, so it
// can only delay frames after a frame that did not yet show the page. Both
// the textbook and the bare view are timed this way.

#include "BenchSupport.h"

#include <QApplication>
#include <QColor>
#include <QPointer>
#include <QWidget>

#include <cstdlib>
#include <vector>

namespace Bench {

struct PageResult {
    qint64 commandNs = 0;
    qint64 loadNs = 0;
    // The first frame that shows the settled page.
    qint64 frameNs = 0;
    // The first frame after loadFinished, whatever it shows.
    qint64 nextFrameNs = 0;
    int frames = 0;
    bool ok = false;
    // No noted frame matched the settled page: frameNs is the first frame
    // after loadFinished then (or loadFinished itself).
    bool noFrame = false;
    bool timedOut = false;
    // Whether the settled page shows the course pages' background colour.
    bool pageColour = false;
    double FrameMs() const { return Ms(commandNs, frameNs); }
    double NextFrameMs() const { return Ms(commandNs, nextFrameNs); }
    double LoadMs() const { return Ms(commandNs, loadNs); }
};

// Where the sample course's pages show their own background, #f3f5f2 (the
// course stylesheet's --page): the left margin below the page heading.
inline constexpr QPoint pagePixel { 6, 400 };
inline const QColor pageColour { 0xf3, 0xf5, 0xf2 };

inline bool IsPageColour(const QImage &picture)
{
    if (!picture.rect().contains(pagePixel))
        return false;
    const QColor seen = picture.pixelColor(pagePixel);
    return std::abs(seen.red() - pageColour.red()) <= 3 && std::abs(seen.green() - pageColour.green()) <= 3
        && std::abs(seen.blue() - pageColour.blue()) <= 3;
}

// Hands on a view's loadFinished(bool). The view is known here only as a
// widget: the textbook's harness does not link the engine, the textbook
// loads it itself.
class LoadRelay : public QObject
{
    Q_OBJECT
public:
    std::function<void(bool)> finished;

public slots:
    void Finished(bool ok) { finished(ok); }
};

class PageProbe : public QObject
{
public:
    using Done = std::function<void(const PageResult &)>;

    explicit PageProbe(QObject *parent = nullptr)
        : QObject(parent)
    {
    }

    ~PageProbe() override
    {
        if (watching_)
            qApp->removeEventFilter(this);
    }

    // Runs command (which makes view load something) and calls done with the
    // times. Without frames, done comes at loadFinished and nothing is
    // grabbed (for the soak).
    void Run(QWidget *view, const std::function<void()> &command, Done done, bool frames = true,
             int timeoutMs = 30000)
    {
        const int run = ++run_;
        result_ = PageResult();
        done_ = std::move(done);
        view_ = view;
        pictures_.clear();
        times_.clear();
        afterLoad_.clear();
        capturing_ = frames;
        if (frames && !watching_) {
            qApp->installEventFilter(this);
            watching_ = true;
        }
        relay_.finished = [this, run, frames](bool ok) {
            if (run != run_)
                return;
            disconnect(connection_);
            result_.loadNs = NowNs();
            result_.ok = ok;
            if (!frames) {
                result_.frameNs = result_.nextFrameNs = result_.loadNs;
                Finish(run);
                return;
            }
            After(settleMs, this, [this, run] { Settled(run); });
        };
        connection_ = connect(view, SIGNAL(loadFinished(bool)), &relay_, SLOT(Finished(bool)));
        After(timeoutMs, this, [this, run] {
            if (run != run_ || result_.loadNs)
                return;
            disconnect(connection_);
            result_.timedOut = true;
            result_.loadNs = result_.frameNs = result_.nextFrameNs = NowNs();
            Finish(run);
        });
        result_.commandNs = NowNs();
        command();
    }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (!capturing_ || grabbing_ || event->type() != QEvent::Paint || !view_)
            return false;
        QWidget *surface = view_->focusProxy();
        if (watched != surface)
            return false;
        const int run = run_;
        QPointer<QWidget> target = surface;
        Soon(this, [this, run, target] {
            if (run != run_ || !capturing_ || !target)
                return;
            times_.push_back(NowNs());
            afterLoad_.push_back(result_.loadNs != 0);
            pictures_.push_back(Grid(Grab()));
        });
        return false;
    }

private:
    static constexpr int settleMs = 600;
    static constexpr int step = 8;

    // The view draws the engine's picture in software and in GL alike. The
    // paint a grab makes is no frame of the page.
    QImage Grab()
    {
        if (!view_)
            return {};
        grabbing_ = true;
        const QImage picture = view_->grab().toImage();
        grabbing_ = false;
        return picture;
    }

    static std::vector<QRgb> Grid(const QImage &picture)
    {
        std::vector<QRgb> grid;
        const QImage image = picture.convertToFormat(QImage::Format_RGB32);
        grid.reserve(size_t(image.width() / step + 1) * size_t(image.height() / step + 1));
        for (int y = step / 2; y < image.height(); y += step) {
            const auto *line = reinterpret_cast<const QRgb *>(image.constScanLine(y));
            for (int x = step / 2; x < image.width(); x += step)
                grid.push_back(line[x] & 0xffffff);
        }
        return grid;
    }

    static bool Matches(const std::vector<QRgb> &a, const std::vector<QRgb> &b)
    {
        if (a.size() != b.size() || a.empty())
            return false;
        size_t differing = 0;
        for (size_t i = 0; i < a.size(); ++i) {
            const QRgb p = a[i], q = b[i];
            if (std::abs(qRed(p) - qRed(q)) > 8 || std::abs(qGreen(p) - qGreen(q)) > 8
                || std::abs(qBlue(p) - qBlue(q)) > 8)
                ++differing;
        }
        return differing * 100 < a.size();
    }

    void Settled(int run)
    {
        if (run != run_)
            return;
        capturing_ = false;
        const QImage settled = Grab();
        if (const char *path = std::getenv("BENCH_GRAB"))
            settled.save(QString::fromLocal8Bit(path));
        result_.pageColour = IsPageColour(settled);
        const std::vector<QRgb> reference = Grid(settled);
        result_.frames = int(times_.size());
        result_.nextFrameNs = result_.loadNs;
        for (size_t i = 0; i < times_.size(); ++i)
            if (afterLoad_[i]) {
                result_.nextFrameNs = times_[i];
                break;
            }
        result_.noFrame = true;
        result_.frameNs = result_.nextFrameNs;
        for (size_t i = 0; i < times_.size(); ++i)
            if (Matches(pictures_[i], reference)) {
                result_.frameNs = times_[i];
                result_.noFrame = false;
                break;
            }
        pictures_.clear();
        Finish(run);
    }

    void Finish(int run)
    {
        if (run != run_)
            return;
        ++run_;
        capturing_ = false;
        Done done = std::move(done_);
        const PageResult result = result_;
        done(result);
    }

    QPointer<QWidget> view_;
    LoadRelay relay_;
    bool grabbing_ = false;
    QMetaObject::Connection connection_;
    PageResult result_;
    Done done_;
    std::vector<qint64> times_;
    std::vector<bool> afterLoad_;
    std::vector<std::vector<QRgb>> pictures_;
    int run_ = 0;
    bool watching_ = false;
    bool capturing_ = false;
};

inline void ReportPage(const QByteArray &prefix, const PageResult &result)
{
    Report(prefix + "_ms", result.FrameMs());
    Report(prefix + "_load_ms", result.LoadMs());
    Report(prefix + "_next_frame_ms", result.NextFrameMs());
    Report(prefix + "_frames", result.frames);
    Report(prefix + "_ok", result.ok);
    Report(prefix + "_noframe", result.noFrame);
    Report(prefix + "_pixel_ok", result.pageColour);
}

} // namespace Bench
