#pragma once
// Every shared service with the program's classes registered, and helpers that write
// pictures into the data folder, create elements and read screen pixels back.

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include "engine/files/QxBitmapFile.h"
#include "engine/files/QxFile.h"
#include "engine/files/QxImage.h"
#include "engine/files/QxImageListFile.h"
#include "engine/gui/WidgetTestSupport.h"
#include "engine/screen/QxPng.h"
#include "support/ServiceFixture.h"

class GuiFixture : public testsupport::ServiceFixture {
protected:
    GuiFixture() : ServiceFixture("gui") {}

    // Writes the image as a bitmap file (8, 16, 24 or 32 bits).
    void WriteBitmap(const std::string& name, const QxImage& image) const {
        WriteFile(name, "");
        QxFile* file = Files().Open(name, 2 | 4);
        ASSERT_NE(file, nullptr) << name;
        const bool written = QxBitmapFile::Write(*file, image);
        Files().Close(file);
        ASSERT_TRUE(written) << name;
    }

    // Writes the frames as an image-list file (8-bit frames, or 15/16-bit ones).
    void WriteImageList(const std::string& name, const std::vector<QxImage>& frames) const {
        WriteFile(name, "");
        QxFile* file = Files().Open(name, 2 | 4);
        ASSERT_NE(file, nullptr) << name;
        const bool written = QxImageListFile::Write(*file, frames);
        Files().Close(file);
        ASSERT_TRUE(written) << name;
    }

    // An 8-bit picture of one colour (palette entry 1), named for image lists.
    static QxImage SolidImage8(int width, int height, QxColour colour,
                               const std::string& name = "frame") {
        QxImage image;
        image.Create(width, height, 8);
        image.palette[1] = colour;
        std::fill(image.pixels.begin(), image.pixels.end(), std::uint8_t{1});
        image.name = name;
        return image;
    }

    static QxImage SolidImage(int width, int height, QxColour colour) {
        return widgettest::Solid(width, height, colour);
    }

    // An 8-bit picture whose bytes are one value: an alpha mask.
    static QxImage AlphaMaskImage(int width, int height, std::uint8_t alpha) {
        QxImage image;
        image.Create(width, height, 8);
        std::fill(image.pixels.begin(), image.pixels.end(), alpha);
        for (int i = 0; i < QxImage::kPaletteSize; ++i) {
            const auto v = static_cast<std::uint8_t>(i);
            image.palette[static_cast<std::size_t>(i)] = QxColour(v, v, v);
        }
        return image;
    }

    // Creates an entity of a defined type and casts it; null when it cannot be made or
    // is not a T.
    template <typename T = QxEntityBase>
    std::unique_ptr<T> Create(const std::string& className, const std::string& typeName,
                              std::uint32_t kind = kKindAny) {
        std::unique_ptr<QxEntityBase> entity = Registry().Create(className, typeName, kind);
        T* cast = dynamic_cast<T*>(entity.get());
        if (!cast) {
            return nullptr;
        }
        entity.release();
        return std::unique_ptr<T>(cast);
    }

    template <typename T = QxEntity2DGUIElement>
    std::unique_ptr<T> CreateElement(const std::string& className, const std::string& typeName) {
        return Create<T>(className, typeName, kKindGUIElement);
    }

    static void SetMouse(int x, int y, bool leftHeld = false) {
        g_mouseState.x = x;
        g_mouseState.y = y;
        g_mouseState.leftButton = leftHeld ? 1 : 0;
    }

    // Marks the whole screen for redraw, so the next drawing is not clipped.
    void DirtyAll() const {
        Screen().ClearDirty();
        Screen().MarkDirty(QxRect{0, kScreenWidth, 0, kScreenHeight}, false);
    }

    // Clears the back buffer to black and marks it all dirty.
    void ClearScreen() const {
        Screen().ClearDirty();
        Screen().MarkDirty(QxRect{0, kScreenWidth, 0, kScreenHeight}, true);
    }

    // The back buffer's pixel value at x, y (0 outside the screen).
    std::uint16_t Pixel(int x, int y) const {
        QxSurfaceDesc desc{};
        if (x < 0 || y < 0 || !Screen().LockBackBuffer(&desc)) {
            return 0;
        }
        std::uint16_t value = 0;
        if (x < desc.width && y < desc.height) {
            const std::uint8_t* at =
                desc.pixels + static_cast<std::size_t>(y) * static_cast<std::size_t>(desc.pitch) +
                static_cast<std::size_t>(x) * 2;
            std::memcpy(&value, at, sizeof(value));
        }
        Screen().UnlockBackBuffer();
        return value;
    }

    // A colour packed as the back buffer stores it (five bits per channel).
    static std::uint16_t Rgb555(QxColour colour) {
        return static_cast<std::uint16_t>(((colour.red >> 3) << 10) | ((colour.green >> 3) << 5) |
                                          (colour.blue >> 3));
    }

    // The screen's blend of a source colour over a destination colour with alpha a
    // (0 to 256), per five-bit field: d + (((s - d) * a) >> 8).
    static std::uint16_t Blend555(QxColour source, QxColour destination, int a) {
        auto field = [a](int s, int d) { return d + (((s - d) * a) >> 8); };
        const int red = field(source.red >> 3, destination.red >> 3);
        const int green = field(source.green >> 3, destination.green >> 3);
        const int blue = field(source.blue >> 3, destination.blue >> 3);
        return static_cast<std::uint16_t>((red << 10) | (green << 5) | blue);
    }

    // Writes the back buffer as a PNG file; answers the path.
    std::string SaveScreenPng(const std::string& name) const {
        const std::string path = Root() + "/" + name;
        QxSurfaceDesc desc{};
        if (!Screen().LockBackBuffer(&desc)) {
            return {};
        }
        const bool saved = SavePng(path, reinterpret_cast<const std::uint16_t*>(desc.pixels),
                                   desc.width, desc.height, desc.pitch);
        Screen().UnlockBackBuffer();
        return saved ? path : std::string{};
    }
};
