#include "LocalOnlyInterceptor.h"

#include <QUrl>

bool LocalOnlyInterceptor::IsNetwork(const QUrl &url)
{
    const QString scheme = url.scheme();
    for (const char *network : { "http", "https", "ws", "wss", "ftp" })
        if (scheme == QLatin1String(network))
            return true;
    return false;
}

void LocalOnlyInterceptor::interceptRequest(QWebEngineUrlRequestInfo &info)
{
    if (IsNetwork(info.requestUrl()))
        info.block(true);
}
