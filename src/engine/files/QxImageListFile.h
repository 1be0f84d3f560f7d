#pragma once
// Image-list files ("IMST"): any number of named frames, 8-bit with their own
// palettes or 15/16-bit, in versions 0 to 2 (depths other than 8 need version 2).
#include <cstdint>
#include <string>
#include <vector>

#include "engine/screen/QxColour.h"

class QxFile;
struct QxImage;

class QxImageListFile {
public:
    static constexpr uint32_t kLatestVersion = 2;
    static constexpr uint32_t kMaxFillColours = 256;
    static constexpr uint32_t kMaxNameLength = 1023;

    // Reads every frame from the file's start. A file that is not an image list
    // (wrong magic, version 3 or later, no frames) gives false silently; a damaged
    // one gives false and one log line naming name. On false, frames is empty.
    static bool Read(QxFile& file, std::vector<QxImage>& frames, const std::string& name);

    // Writes the frames (each named by its image name) at the file's position, with
    // the given fill colours (at most 256) and full 256-colour palettes for 8-bit
    // frames. Versions 0 and 1 hold only 8-bit frames. False when something does not
    // fit the format or a write fails.
    static bool Write(QxFile& file, const std::vector<QxImage>& frames,
                      uint32_t version = kLatestVersion,
                      const std::vector<QxColour>& fillColours = {});
};
