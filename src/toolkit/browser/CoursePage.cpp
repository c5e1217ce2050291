#include "CoursePage.h"

#include "CourseProfile.h"
#include "PopupPage.h"

#include <QDesktopServices>
#include <QWebEngineView>

CoursePage::CoursePage(QWebEngineView *view)
    : QWebEnginePage(CourseProfile(), view)
    , view_(view)
{
}

bool CoursePage::IsLocal(const QUrl &url)
{
    const QString scheme = url.scheme();
    for (const char *local : { "file", "data", "about", "blob", "qrc" })
        if (scheme == QLatin1String(local))
            return true;
    return false;
}

bool CoursePage::acceptNavigationRequest(const QUrl &url, NavigationType type, bool isMainFrame)
{
    if (IsLocal(url))
        return true;
    // Only the student's own click hands a link to the desktop; a page that
    // redirects itself to the network is just stopped.
    if (type == NavigationTypeLinkClicked && isMainFrame)
        QDesktopServices::openUrl(url);
    return false;
}

QWebEnginePage *CoursePage::createWindow(WebWindowType)
{
    // One new window at a time: a page that opens windows in a loop gets one.
    if (pendingWindow_)
        return nullptr;
    pendingWindow_ = new PopupPage(view_);
    return pendingWindow_;
}

void CoursePage::javaScriptConsoleMessage(JavaScriptConsoleMessageLevel level, const QString &message,
                                          int lineNumber, const QString &sourceID)
{
    emit ConsoleMessage(level, message, lineNumber, sourceID);
}
