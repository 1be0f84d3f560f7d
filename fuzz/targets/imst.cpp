// Feeds arbitrary bytes to the image-list reader and every frame it gives through the
// variant transforms.
#include <cstddef>
#include <cstdint>
#include <vector>

#include "engine/files/QxBuffer.h"
#include "engine/files/QxImage.h"
#include "engine/files/QxImageListFile.h"
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
    std::vector<QxImage> frames;
    if (QxImageListFile::Read(file, frames, "fuzz.ims")) {
        for (QxImage& frame : frames) {
            QxApplyImageVariant(frame, kImageFlip | kImageMirror | kImageHalvePalette);
        }
    }
    return 0;
}
