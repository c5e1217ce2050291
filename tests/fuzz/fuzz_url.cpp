// Arbitrary text as a page address: it becomes a local file URL whose path is
// the address itself, or it is refused; it never becomes a host or a query.
#include "toolkit/Exception.h"
#include "toolkit/LocalFileUrl.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    const QString address = QString::fromUtf8(reinterpret_cast<const char *>(data), qsizetype(size));
    try {
        const QUrl url = LocalFileUrl(address);
        if (!url.isLocalFile() || !url.host().isEmpty() || url.hasQuery() || url.hasFragment())
            std::abort();
        // The path is the address, less any doubled slashes in front.
        QString expected = address;
        while (expected.startsWith(QLatin1String("//")))
            expected.remove(0, 1);
        if (url.path(QUrl::FullyDecoded) != expected)
            std::abort();
    } catch (const Exception &) {
    }
    return 0;
}
