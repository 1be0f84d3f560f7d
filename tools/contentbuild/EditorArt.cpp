// The level editor's screen: the game screen's table and board frame with a side panel
// for the palette, the level's settings and the editor's buttons; the palette's icons,
// each the board's own picture of a part on a floor cell at half size; and the marker
// of the start cell in its four directions. The icons are made from the pictures the
// board steps wrote, so they always show what the board will.
#include <cmath>
#include <cstdio>
#include <string>
#include <utility>
#include <vector>

#include "BoardHudArt.h"
#include "BoardHudLayout.h"
#include "BoardPaint.h"
#include "ContentBuild.h"
#include "UiArtKit.h"
#include "engine/files/QxBitmapFile.h"
#include "engine/files/QxFileLE.h"
#include "engine/files/QxImageListFile.h"
#include "game/editor/PyxEditorLayout.h"

namespace {

using namespace palette;

const PaintColour kWindow = PaintColour::Rgb(8, 26, 36);

// A picture the board steps staged: a bitmap, or the first frame of an image list, with
// its mask when it has one. An empty canvas (and a build failure) when it is missing.
PaintCanvas Staged(ContentOut& out, const std::string& base, bool list, bool masked) {
    auto read = [&](const std::string& name, bool isList, QxImage& image) {
        const std::string path = (out.Stage() / name).string();
        std::FILE* handle = std::fopen(path.c_str(), "rb");
        if (handle == nullptr) {
            return false;
        }
        QxFileLE file(handle);
        bool ok = false;
        if (isList) {
            std::vector<QxImage> frames;
            ok = QxImageListFile::Read(file, frames, name) && !frames.empty();
            if (ok) {
                image = frames.front();
            }
        } else {
            ok = QxBitmapFile::Read(file, image, name);
        }
        std::fclose(handle);
        return ok;
    };
    QxImage colour;
    QxImage mask;
    const std::string colourName = base + (list ? ".imst" : ".bmp");
    const std::string maskName = base + (list ? "_a.img" : "_a.bmp");
    if (!read(colourName, list, colour) || (masked && !read(maskName, list, mask))) {
        out.Fail("the editor's icons need " + colourName + (masked ? " and its mask" : ""));
        return PaintCanvas(editor::kCellSize, editor::kCellSize);
    }
    return FromImage(colour, masked ? &mask : nullptr);
}

// The start marker: a ring round the cell's middle with an arrow the way the ball sets
// off, drawn over whatever the cell holds.
PaintCanvas StartMarker(int dirX, int dirY) {
    constexpr int kScale = 4;
    const float s = float(kScale);
    const float c = editor::kCellSize * 0.5f * s;
    PaintCanvas big(editor::kCellSize * kScale, editor::kCellSize * kScale);
    big.FillShape(SdfRing(SdfCircle(c, c, 19.0f * s), 2.0f * s), FillSolid(kGold.WithAlpha(0.9f)));
    // The arrow points right; other directions turn its points.
    auto turn = [&](float x, float y) -> std::pair<float, float> {
        const float dx = x - c, dy = y - c;
        return {c + dx * float(dirX) - dy * float(dirY), c + dx * float(dirY) + dy * float(dirX)};
    };
    const std::vector<std::pair<float, float>> arrow = {
        turn(c - 11 * s, c - 4 * s), turn(c + 2 * s, c - 4 * s),  turn(c + 2 * s, c - 10 * s),
        turn(c + 13 * s, c),         turn(c + 2 * s, c + 10 * s), turn(c + 2 * s, c + 4 * s),
        turn(c - 11 * s, c + 4 * s)};
    PaintCanvas shape(big.Width(), big.Height());
    shape.FillShape(SdfPolygon(arrow), FillLinear(0, c - 10 * s, 0, c + 10 * s,
                                                  {{0.0f, Lighten(kGold, 0.3f)}, {1.0f, kBrass}}));
    shape.DropShadow(1.0f * s, 1.5f * s, 1.5f * s, kNearBlack.WithAlpha(0.7f));
    big.Draw(shape, 0, 0);
    return big.Downsample(kScale);
}

void BuildIcons(ContentOut& out) {
    const PaintCanvas floor = Staged(out, "board/images/floor", false, false);
    const struct {
        const char* name;
        const char* base; // null: the plain floor
        bool list;
        bool masked;
    } parts[] = {
        {"floor", nullptr, false, false},
        {"floorb", "board/images/floorb", false, false},
        {"floorc", "board/images/floorc", false, false},
        {"trap", "board/images/trap", true, false},
        {"post", "board/images/post", false, true},
        {"lift", "board/images/liftdown", false, true},
        {"gear", "board/images/gear", true, true},
        {"defl7", "board/images/defl7", true, true},
        {"defl9", "board/images/defl9", true, true},
        {"defl3", "board/images/defl3", true, true},
        {"defl1", "board/images/defl1", true, true},
        {"power", "board/images/power", true, true},
        {"bonus", "board/images/bonus", true, true},
    };
    for (const auto& part : parts) {
        PaintCanvas cell = floor;
        if (part.base != nullptr) {
            const PaintCanvas picture = Staged(out, part.base, part.list, part.masked);
            if (part.masked) {
                cell.Draw(picture, (cell.Width() - picture.Width()) / 2,
                          (cell.Height() - picture.Height()) / 2);
            } else {
                cell = picture;
            }
        }
        out.WriteBitmap(std::string("ui/editor/icon_") + part.name + ".bmp",
                        ToOpaque(cell.Downsample(2), kNearBlack, part.name));
    }
    const PaintCanvas right = StartMarker(1, 0);
    PaintCanvas start = floor;
    start.Draw(right, 0, 0);
    out.WriteBitmap("ui/editor/icon_start.bmp", ToOpaque(start.Downsample(2), kNearBlack, "start"));
    const struct {
        const char* name;
        int x, y;
    } directions[] = {{"right", 1, 0}, {"down", 0, 1}, {"left", -1, 0}, {"up", 0, -1}};
    for (const auto& d : directions) {
        WriteSprite(out, std::string("ui/editor/start_") + d.name, StartMarker(d.x, d.y));
    }
}

void BuildScreen(ContentOut& out) {
    using namespace editor;
    PaintCanvas bar = HudTable();
    const PaintFont caption(PaintFontPath("DejaVuSans-Bold.ttf"), 11 * kBarScale);
    HudRecess(bar, kPanelLeft, kNameTop, kPanelRight, kNameBottom, 6, kWindow);
    HudCaption(bar, caption, "PARTS", hud::kPanelCentre, kPartsCaption, kMuted);
    HudRecess(bar, kPanelLeft, kPaletteTop - 2, kPanelRight,
              kPaletteTop + kPaletteRows * kSlotHeight + 2, 6, kWindow);
    HudCaption(bar, caption, "LEVEL", hud::kPanelCentre, kLevelCaption, kMuted);
    HudRecess(bar, kPanelLeft, kRowsTop - 2, kPanelRight, kRowsTop + kRows * kRowHeight + 2, 6,
              kWindow);
    out.WriteBitmap("ui/editor/bg_editor.bmp",
                    ToOpaque(bar.Downsample(kBarScale), kNight, "bg_editor"));
}

void BuildEditor(ContentOut& out) {
    BuildIcons(out);
    BuildScreen(out);
}

} // namespace

// After the board's pictures exist.
CONTENT_STEP(20, "editor-art", BuildEditor);
