#include "platform/LetterboxedWindow.h"

namespace platform {

void LetterboxedWindow::ClientToPicturePosition(int x, int y, int* px, int* py) const {
    ClientToPicture(PictureBox(), m_pictureWidth, m_pictureHeight, x, y, px, py);
}

LetterboxRect LetterboxedWindow::PictureBox() const {
    return FitPicture(ClientWidth(), ClientHeight(), m_pictureWidth, m_pictureHeight);
}

void LetterboxedWindow::PictureToClientPosition(int x, int y, int* cx, int* cy) const {
    PictureToClient(PictureBox(), m_pictureWidth, m_pictureHeight, x, y, cx, cy);
}

} // namespace platform
