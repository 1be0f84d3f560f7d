#pragma once
// A headless 16-bit screen for drawing tests, and small picture helpers.

#include <memory>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "engine/files/QxImage.h"
#include "engine/screen/QxWin32Screen2D.h"

namespace screentest {

// Packs 5-bit channels.
constexpr uint16_t Rgb(int r, int g, int b) {
    return uint16_t((r << 10) | (g << 5) | b);
}

class ScreenTest : public ::testing::Test {
protected:
    static constexpr int kW = 64;
    static constexpr int kH = 48;

    void SetUp() override { ASSERT_TRUE(Create(kW, kH)); }

    bool Create(int w, int h) {
        QxDisplayMode mode;
        mode.width = w;
        mode.height = h;
        mode.format.bitsPerPixel = 16;
        return screen.CreateScreen(&mode, "Rondelix");
    }

    uint16_t& Px(int x, int y) {
        QxSurfaceDesc d;
        EXPECT_TRUE(screen.LockBackBuffer(&d));
        screen.UnlockBackBuffer();
        return reinterpret_cast<uint16_t*>(d.pixels + y * d.pitch)[x];
    }

    // Fills the whole back buffer with one value, leaving the dirty list alone.
    void FillBack(uint16_t v) {
        for (int y = 0; y < screen.Height(); ++y) {
            for (int x = 0; x < screen.Width(); ++x) {
                Px(x, y) = v;
            }
        }
    }

    // Everything dirty, so drawing is not clipped by the dirty list.
    void AllDirty() {
        screen.ClearDirty();
        screen.MarkDirty(QxRect{0, screen.Width(), 0, screen.Height()}, false);
    }

    std::vector<uint16_t> Snapshot() {
        std::vector<uint16_t> out;
        for (int y = 0; y < screen.Height(); ++y) {
            for (int x = 0; x < screen.Width(); ++x) {
                out.push_back(Px(x, y));
            }
        }
        return out;
    }

    QxSurfaceHandle AddSurface(int w, int h, const std::vector<uint16_t>& pixels, int ox = 0,
                               int oy = 0) {
        auto s = std::make_unique<QxSurface>();
        s->Resize(w, h);
        s->pixels = pixels;
        s->originX = ox;
        s->originY = oy;
        QxSurfaceHandle handle = 0;
        EXPECT_TRUE(screen.AdoptSurface(std::move(s), &handle));
        return handle;
    }

    QxSurfaceHandle AddFilled(int w, int h, uint16_t v) {
        return AddSurface(w, h, std::vector<uint16_t>(size_t(w * h), v));
    }

    // The window the screen shows its picture in; a test may wrap it to watch it.
    virtual std::unique_ptr<platform::ScreenWindow> MakeWindow(const platform::WindowOptions& o) {
        return platform::CreateScreenWindow(o);
    }

    QxWin32Screen2D screen{[this](const platform::WindowOptions& o) { return MakeWindow(o); }};
};

inline QxImage AlphaImage(int w, int h, const std::vector<uint8_t>& bytes) {
    QxImage img;
    img.Create(w, h, 8);
    img.pixels = bytes;
    return img;
}

} // namespace screentest
