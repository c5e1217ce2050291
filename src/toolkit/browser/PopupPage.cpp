#include "PopupPage.h"

#include "CoursePage.h"
#include "CourseProfile.h"

#include <QDesktopServices>
#include <QTimer>
#include <QWebEngineView>

namespace {
// A window that is never sent anywhere does not stay around.
constexpr int unusedLifetimeMs = 10000;
}

PopupPage::PopupPage(QWebEngineView *target)
    : QWebEnginePage(CourseProfile(), target)
    , target_(target)
    , openerUrl_(target->url())
{
    QTimer::singleShot(unusedLifetimeMs, this, &QObject::deleteLater);
}

bool PopupPage::acceptNavigationRequest(const QUrl &url, NavigationType type, bool)
{
    // A window opened empty and written to by script: wait for a real address.
    if (url.isEmpty() || url.scheme() == QLatin1String("about"))
        return true;
    if (done_)
        return false;
    done_ = true;
    deleteLater();
    if (target_->url() != openerUrl_)
        return false;
    if (CoursePage::IsLocal(url))
        target_->load(url);
    else if (type == NavigationTypeLinkClicked)
        QDesktopServices::openUrl(url);
    return false;
}
