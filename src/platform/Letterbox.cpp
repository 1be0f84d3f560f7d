#include "platform/Letterbox.h"

#include <cmath>
#include <cstdint>

namespace platform {

LetterboxRect FitPicture(int clientWidth, int clientHeight, int pictureWidth, int pictureHeight) {
    LetterboxRect box;
    if (clientWidth <= 0 || clientHeight <= 0 || pictureWidth <= 0 || pictureHeight <= 0) {
        return box;
    }
    // Compare clientWidth / clientHeight with pictureWidth / pictureHeight without
    // rounding: whichever side is relatively shorter decides the scale.
    const int64_t wide = int64_t(clientWidth) * pictureHeight;
    const int64_t tall = int64_t(clientHeight) * pictureWidth;
    if (wide >= tall) {
        box.height = clientHeight;
        box.width = int(tall / pictureHeight);
    } else {
        box.width = clientWidth;
        box.height = int(wide / pictureWidth);
    }
    box.x = (clientWidth - box.width) / 2;
    box.y = (clientHeight - box.height) / 2;
    return box;
}

void ClientToPicture(const LetterboxRect& box, int pictureWidth, int pictureHeight, int clientX,
                     int clientY, int* pictureX, int* pictureY) {
    if (box.width <= 0 || box.height <= 0) {
        *pictureX = clientX;
        *pictureY = clientY;
        return;
    }
    // The client pixel's centre decides which picture pixel it shows.
    const double sx = (clientX - box.x + 0.5) * pictureWidth / box.width;
    const double sy = (clientY - box.y + 0.5) * pictureHeight / box.height;
    *pictureX = int(std::floor(sx));
    *pictureY = int(std::floor(sy));
}

void PictureToClient(const LetterboxRect& box, int pictureWidth, int pictureHeight, int pictureX,
                     int pictureY, int* clientX, int* clientY) {
    if (pictureWidth <= 0 || pictureHeight <= 0) {
        *clientX = pictureX;
        *clientY = pictureY;
        return;
    }
    *clientX = box.x + int(std::floor((pictureX + 0.5) * box.width / pictureWidth));
    *clientY = box.y + int(std::floor((pictureY + 0.5) * box.height / pictureHeight));
}

} // namespace platform
