#pragma once

#include <QPointer>
#include <QWebEnginePage>

class QWebEngineView;

// The page shown in the browser pane. Course pages stay local: a link to the
// network or to mail opens in the desktop's own handler and never in the
// pane, and a request for a new window opens that page in the pane instead.
class CoursePage : public QWebEnginePage
{
    Q_OBJECT
public:
    explicit CoursePage(QWebEngineView *view);

    // Whether the pane may load this URL itself.
    static bool IsLocal(const QUrl &url);

signals:
    // What the page's scripts write to the console, and their errors.
    void ConsoleMessage(int level, const QString &message, int lineNumber, const QString &sourceID);

protected:
    bool acceptNavigationRequest(const QUrl &url, NavigationType type, bool isMainFrame) override;
    QWebEnginePage *createWindow(WebWindowType type) override;
    void javaScriptConsoleMessage(JavaScriptConsoleMessageLevel level, const QString &message,
                                  int lineNumber, const QString &sourceID) override;

private:
    QWebEngineView *view_;
    QPointer<QWebEnginePage> pendingWindow_;
};
