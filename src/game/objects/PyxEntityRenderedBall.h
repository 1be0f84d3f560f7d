#pragma once
// A glass marble rendered every frame from the screen behind it. The type holds four
// lens tables (one per tint; the game uses the first): for each pixel of a 56 x 56
// square around the centre, where to look behind the glass (the refraction offset), the
// shade of the glass there and how much of it covers what lies behind. Each frame the
// ball renders its 57 x 57 image from the back buffer through the first table and draws
// it keyed on colour 0. The vortex and the particle bursts render the same image to
// sample the ball's colours.

#include <cstdint>
#include <memory>
#include <vector>

#include "engine/screen/QxPixelFormat.h"
#include "engine/screen/QxSurface.h"
#include "game/objects/PyxEntityBallBase.h"

// One lens-table entry.
struct PyxLensEntry {
    std::int16_t dx = 0; // where the glass shows the screen, relative to the pixel
    std::int16_t dy = 0;
    std::uint8_t red = 0; // shade of the glass, tinted
    std::uint8_t green = 0;
    std::uint8_t blue = 0;
    std::uint8_t alpha = 0; // 0: outside the ball (transparent)
};

class PyxEntityRenderedBall;

inline constexpr std::uint32_t kKindRenderedBall = QxKindTag("RNBL");

class PyxEntityRenderedBallType
    : public QxEntityTypeOf<PyxEntityRenderedBallType, PyxEntityRenderedBall, PyxEntityBallBaseType,
                            kKindRenderedBall> {
public:
    static constexpr float kRadius = 28.0f;
    static constexpr int kLensSize = 56;  // entries per row and column
    static constexpr int kImageSize = 57; // pixels per row and column of the image
    static constexpr int kTints = 4;

    // The collision radius is always 28.
    explicit PyxEntityRenderedBallType(QxDefinition* definition);
    ~PyxEntityRenderedBallType() override;

    // Builds the lens tables and makes the image.
    bool Load(bool reload) override;
    bool Unload() override;

    // The table of a tint (empty until the type loads); entry (i, j) at j * 56 + i.
    const std::vector<PyxLensEntry>& Lens(int tint) const { return m_lens[tint]; }
    // The entry for column i and row j of a tint: (red, green, blue) scale by
    // (1, 1, 1), (0.75, 0.75, 0.75), (0, 1, 1) and (0.5, 0.5, 1).
    static PyxLensEntry MakeLensEntry(int i, int j, int tint);

    // The screen surface the image lives in, made again when the screen lost it; 0
    // without a screen.
    std::uint32_t ImageHandle();
    // The image's pixels, or null without a screen. They change through the screen's
    // EditSurface.
    std::shared_ptr<const QxSurface> Image();

private:
    std::vector<PyxLensEntry> m_lens[kTints];
    std::uint32_t m_imageHandle = 0;
};

class PyxEntityRenderedBall : public PyxEntityBallBase {
public:
    explicit PyxEntityRenderedBall(PyxEntityRenderedBallType* type);

    // Renders the image at the drawing position and draws it.
    bool Draw() override;
    // 57 x 57: the image, centred on the ball.
    void GetSize(std::int32_t& width, std::int32_t& height) override;
    std::uint32_t GetImage() override;

    // Renders the image from the back buffer around the ball's screen centre (drawing
    // position + 28); false without a screen, a 16-bit back buffer or the image.
    bool RenderImage();
    // The image as last rendered (null without a screen).
    std::shared_ptr<const QxSurface> Image() const { return RenderedType()->Image(); }

    PyxEntityRenderedBallType* RenderedType() const {
        return static_cast<PyxEntityRenderedBallType*>(Type());
    }
};

// Renders through the lens table into image (57 x 57): pixel (i, j) looks at the back
// buffer pixel (left + i + dx, top + j + dy), grey (50, 50, 50) beyond its edges, and
// blends it towards the entry's shade by (255 - alpha) / 256. Entries with alpha 0, and
// pixels whose screen column or row would be below 0, are left transparent (0).
void PyxRenderLens(const std::vector<PyxLensEntry>& lens, const QxSurfaceDesc& screen,
                   const QxPixelFormat& format, std::int32_t left, std::int32_t top,
                   QxSurface& image);

using PyxEntityRenderedBallPrototype = QxTypePrototype<PyxEntityRenderedBallType>;
