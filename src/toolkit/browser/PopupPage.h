#pragma once

#include <QWebEnginePage>

class QWebEngineView;

// Stands in for a new window a course page asks for: the first address it is
// sent to opens in the pane instead, and then it goes away.
class PopupPage : public QWebEnginePage
{
    Q_OBJECT
public:
    explicit PopupPage(QWebEngineView *target);

protected:
    bool acceptNavigationRequest(const QUrl &url, NavigationType type, bool isMainFrame) override;

private:
    QWebEngineView *target_;
    // Where the pane was when the window was asked for: once the student has
    // moved on, a late window must not take the pane away.
    const QUrl openerUrl_;
    bool done_ = false;
};
