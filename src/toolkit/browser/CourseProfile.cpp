#include "CourseProfile.h"

#include "LocalOnlyInterceptor.h"

#include <QCoreApplication>
#include <QLocale>
#include <QWebEngineProfile>
#include <QWebEngineSettings>

QWebEngineProfile *CourseProfile()
{
    static QWebEngineProfile *profile = nullptr;
    if (!profile) {
        // No storage name: off the record, nothing written to disk. Owned by
        // the application, so it outlives every page.
        profile = new QWebEngineProfile(QCoreApplication::instance());
        profile->setHttpCacheType(QWebEngineProfile::MemoryHttpCache);
        profile->setPersistentCookiesPolicy(QWebEngineProfile::NoPersistentCookies);
        profile->setSpellCheckEnabled(false);
        profile->setHttpAcceptLanguage(QLocale().bcp47Name());
        profile->setUrlRequestInterceptor(new LocalOnlyInterceptor(profile));
        QWebEngineSettings *settings = profile->settings();
        settings->setAttribute(QWebEngineSettings::LocalContentCanAccessFileUrls, true);
        settings->setAttribute(QWebEngineSettings::LocalContentCanAccessRemoteUrls, false);
        settings->setAttribute(QWebEngineSettings::PluginsEnabled, false);
        settings->setAttribute(QWebEngineSettings::ErrorPageEnabled, true);
        settings->setAttribute(QWebEngineSettings::PlaybackRequiresUserGesture, false);
        QObject::connect(profile, &QObject::destroyed, [] { profile = nullptr; });
    }
    return profile;
}
