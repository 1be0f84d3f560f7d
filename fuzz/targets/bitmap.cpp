// Feeds arbitrary bytes to the bitmap reader and, when a picture comes out, through
// every variant transform.
#include <cstddef>
#include <cstdint>

#include "engine/files/QxBitmapFile.h"
#include "engine/files/QxBuffer.h"
#include "engine/files/QxImage.h"
#include "engine/files/QxImageVariant.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size > 0x7FFFFFFF) {
        return 0;
    }
    QxBuffer file;
    file.Allocate(static_cast<uint32_t>(size), 0);
    if (size != 0) {
        file.WriteBytes(static_cast<uint32_t>(size), data);
    }
    file.Seek(QxFile::kSeekStart, 0);
    QxImage image;
    if (QxBitmapFile::Read(file, image, "fuzz.bmp")) {
        QxApplyImageVariant(image, kImageFlip | kImageMirror | kImageHalvePalette);
    }
    return 0;
}
