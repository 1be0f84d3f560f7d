#pragma once
// Where a fixed-size picture sits in a window of another shape: scaled as large as it
// fits without distortion and centred, with bars on the two remaining sides. Bindings
// that stretch the picture use it both to draw and to map the mouse back.

namespace platform {

struct LetterboxRect {
    int x = 0;
    int y = 0;
    int width = 0;
    int height = 0;
};

// The picture's rectangle in a client area of clientWidth x clientHeight.
LetterboxRect FitPicture(int clientWidth, int clientHeight, int pictureWidth, int pictureHeight);

// A client position in picture pixels. Positions on the bars map beyond the picture's
// edges (negative or past its size), as a mouse outside a window would.
void ClientToPicture(const LetterboxRect& box, int pictureWidth, int pictureHeight, int clientX,
                     int clientY, int* pictureX, int* pictureY);

// The client position of the centre of a picture pixel.
void PictureToClient(const LetterboxRect& box, int pictureWidth, int pictureHeight, int pictureX,
                     int pictureY, int* clientX, int* clientY);

} // namespace platform
