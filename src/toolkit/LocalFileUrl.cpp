#include "LocalFileUrl.h"

#include "Exception.h"

#include <QCoreApplication>

QUrl LocalFileUrl(const QString &address)
{
    const auto invalid = [&address] {
        return Exception(QCoreApplication::translate("LocalFileUrl", "Недопустимый адрес страницы: «%1».")
                             .arg(address));
    };
    if (!address.startsWith(QLatin1Char('/')) || address.contains(QChar(u'\0')))
        throw invalid();
    qsizetype slashes = 0;
    while (slashes + 1 < address.size() && address.at(slashes + 1) == QLatin1Char('/'))
        ++slashes;
    QUrl url;
    url.setScheme(QStringLiteral("file"));
    url.setPath(address.mid(slashes), QUrl::DecodedMode);
    if (!url.isValid())
        throw invalid();
    return url;
}
