#pragma once

#include <QString>
#include <QUrl>

// The file: URL of a local address such as "/home/kurs/teoria/4/4.1.html".
// Every character of the address is part of the path: '#', '?', '%' and ';'
// are escaped, never read as a fragment or query, and leading doubled slashes
// ("//teoria/slov.html" under the root) never make a host name.
// Raises Exception for an address that is not an absolute local path.
QUrl LocalFileUrl(const QString &address);
