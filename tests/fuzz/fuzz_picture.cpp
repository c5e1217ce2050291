// Arbitrary bytes as a JPEG picture: the loader must refuse or decode them,
// never crash, hang or read out of bounds.
#include "toolkit/Exception.h"
#include "toolkit/TJPEGImage.h"

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    try {
        TJPEGImage picture(QByteArray(reinterpret_cast<const char *>(data), qsizetype(size)));
        // Keep each run quick: large pictures are valid but slow to decode.
        if (qint64(picture.Width()) * picture.Height() <= 4096 * 4096)
            picture.Bitmap();
    } catch (const Exception &) {
    }
    return 0;
}
