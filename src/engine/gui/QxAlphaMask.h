#pragma once
// Alpha masks for the image elements: 8-bit pictures of an image's exact size whose
// bytes are the per-pixel alpha (0 transparent, 255 opaque) that the screen's masked
// drawing takes.
//
// A mask file is a bitmap; each pixel's grey level becomes its alpha, so a greyscale
// picture (of any depth the bitmap reader takes, or 8 bits with any palette) works. A
// list of masks, one per animation frame, is an image-list file of 8-bit frames.

#include <memory>
#include <string>
#include <vector>

#include "engine/files/QxImage.h"

class QxAlphaMask {
public:
    // The mask in a bitmap file of the current file system; null (with a log line for
    // a damaged file) when it cannot be read. A missing file is not logged: masks are
    // optional.
    static std::unique_ptr<QxImage> Load(const std::string& fileName);
    // One mask per frame of an image-list file; empty when it cannot be read.
    static std::vector<std::unique_ptr<QxImage>> LoadList(const std::string& fileName);
    // By the name: an image-list file (extension "img", in any case) gives one mask per
    // frame, any other file one mask that serves every frame.
    static std::vector<std::unique_ptr<QxImage>> LoadByName(const std::string& fileName);
    // The grey levels of a decoded picture as a mask; false for a picture without
    // pixels or of a depth that carries no grey level (15 and 16 bits).
    static bool FromPicture(const QxImage& picture, QxImage& mask);
};
