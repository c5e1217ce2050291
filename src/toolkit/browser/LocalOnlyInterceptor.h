#pragma once

#include <QWebEngineUrlRequestInterceptor>

// Refuses every request that would go to the network.
class LocalOnlyInterceptor : public QWebEngineUrlRequestInterceptor
{
    Q_OBJECT
public:
    using QWebEngineUrlRequestInterceptor::QWebEngineUrlRequestInterceptor;

    static bool IsNetwork(const QUrl &url);

    void interceptRequest(QWebEngineUrlRequestInfo &info) override;
};
