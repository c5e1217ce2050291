#pragma once

// The marker of a window's first painted frame, for the harnesses.

#include "BenchClock.h"

#include <QApplication>
#include <QEvent>
#include <QPointer>
#include <QWidget>

namespace Bench {

// Calls work as soon as the event loop is back from what it is doing now,
// before any posted event of normal priority, a queued call or a zero timer
// already waiting (a program's own work posted from a paint would otherwise
// be counted in the frame).
inline void Soon(QObject *context, std::function<void()> work)
{
    class Call : public QObject
    {
    public:
        Call(QObject *context, std::function<void()> work)
            : context_(context)
            , work_(std::move(work))
        {
        }
        bool event(QEvent *event) override
        {
            if (event->type() != QEvent::User)
                return QObject::event(event);
            if (context_)
                work_();
            deleteLater();
            return true;
        }

    private:
        QPointer<QObject> context_;
        std::function<void()> work_;
    };
    QCoreApplication::postEvent(new Call(context, std::move(work)), new QEvent(QEvent::User), Qt::HighEventPriority);
}

// The first frame a widget takes part in after Arm(): the next Paint event
// of the widget or of a widget inside it, and then the moment the event loop
// is back (Soon), that is once the whole window has been painted and handed
// to the platform (flushed). Both moments are reported; the second is the
// figure. (A widget wholly covered by its children, as a QWebEngineView is
// by its render widget, gets no Paint of its own.)
class FrameProbe : public QObject
{
public:
    using Done = std::function<void(qint64 paintNs, qint64 frameNs)>;

    explicit FrameProbe(QObject *parent = nullptr)
        : QObject(parent)
    {
    }

    ~FrameProbe() override { Disarm(); }

    void Arm(QWidget *widget, Done done)
    {
        Disarm();
        widget_ = widget;
        done_ = std::move(done);
        qApp->installEventFilter(this);
        armed_ = true;
    }

    void Disarm()
    {
        if (armed_)
            qApp->removeEventFilter(this);
        armed_ = false;
        widget_ = nullptr;
    }

    bool Armed() const { return armed_; }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() != QEvent::Paint || !watched->isWidgetType() || !widget_)
            return false;
        auto *painted = static_cast<QWidget *>(watched);
        if (painted != widget_ && !widget_->isAncestorOf(painted))
            return false;
        const qint64 paintNs = NowNs();
        Disarm();
        Done done = std::move(done_);
        Soon(this, [paintNs, done] { done(paintNs, NowNs()); });
        return false;
    }

private:
    QPointer<QWidget> widget_;
    Done done_;
    bool armed_ = false;
};

} // namespace Bench
