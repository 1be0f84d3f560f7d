#pragma once
// What the desktop bindings' windows share whatever draws them: the owner that messages
// are addressed to, the cursor state, and the size of the last picture, through which
// mouse positions map between the client area and the picture.

#include "app/QxScreenSize.h"
#include "platform/Letterbox.h"
#include "platform/ScreenBinding.h"

namespace platform {

class LetterboxedWindow : public ScreenWindow {
public:
    bool IsCursorVisible() const final { return m_cursorVisible; }
    void* Owner() const final { return m_owner; }

    // A client position in picture pixels.
    void ClientToPicturePosition(int x, int y, int* px, int* py) const;

protected:
    explicit LetterboxedWindow(void* owner) : m_owner(owner) {}

    // Where the last picture sits in the client area as it is now.
    LetterboxRect PictureBox() const;
    // The client position of the centre of a picture pixel.
    void PictureToClientPosition(int x, int y, int* cx, int* cy) const;

    void* m_owner;
    int m_pictureWidth = kScreenWidth;
    int m_pictureHeight = kScreenHeight;
    bool m_cursorVisible = true;
};

} // namespace platform
