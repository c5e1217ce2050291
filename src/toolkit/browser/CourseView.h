#pragma once

#include "PaneView.h"

#include <QWebEngineView>

class CoursePage;
class FindBar;

// The web engine's view of the course pages, as a student expects of a
// browser: links, find, zoom, print, copy, back and forward. It keeps no
// history of its own beyond the engine's.
class CourseView : public QWebEngineView, public PaneView
{
    Q_OBJECT
public:
    explicit CourseView(QWidget *parent = nullptr);
    ~CourseView() override;

    QWidget *Widget() override;
    void Load(const QUrl &url) override;

    CoursePage *Page() const;

protected:
    void contextMenuEvent(QContextMenuEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;
    void childEvent(QChildEvent *event) override;

private:
    void WatchRenderer(const QUrl &url);
    void AddShortcuts();
    void Print();
    void Zoom(double factor);

    CoursePage *page_;
    FindBar *findBar_;
    int navigation_ = 0;
};
