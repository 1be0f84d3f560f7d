#include "engine/gui/QxEntityVectorFrame.h"

#include <algorithm>
#include <vector>

#include "app/QxGlobals.h"
#include "engine/files/QxResourceCache.h"
#include "engine/gui/QxDialogParts.h"
#include "engine/gui/QxEntity2DGUISprite.h"
#include "engine/gui/QxEntityDialogBox.h"
#include "engine/screen/QxScreen2D.h"

namespace {

// a + (b - a) * weight / 256, per channel; alpha from a.
QxColour Mix(const QxColour& a, const QxColour& b, int weight) {
    auto channel = [weight](int from, int to) {
        return static_cast<std::uint8_t>(from + (to - from) * weight / 256);
    };
    return QxColour(channel(a.red, b.red), channel(a.green, b.green), channel(a.blue, b.blue),
                    a.alpha);
}

QxColour Faded(QxColour colour, std::uint32_t alpha) {
    colour.alpha = static_cast<std::uint8_t>(std::min<std::uint32_t>(colour.alpha, alpha));
    return colour;
}

// One piece of a panel along one axis: `length` pixels from `from` in the picture go
// to `to` in the box. `solid` when the picture is opaque all across it (see SolidInset).
struct PanelSpan {
    int from;
    int to;
    int length;
    bool solid = false;
};

bool RingOpaque(const QxImage& mask, int k) {
    const int right = mask.width - 1 - k;
    const int bottom = mask.height - 1 - k;
    auto at = [&mask](int x, int y) {
        return mask.pixels[static_cast<size_t>(y) * static_cast<size_t>(mask.width) +
                           static_cast<size_t>(x)];
    };
    for (int x = k; x <= right; ++x) {
        if (at(x, k) != 255 || at(x, bottom) != 255) {
            return false;
        }
    }
    for (int y = k; y <= bottom; ++y) {
        if (at(k, y) != 255 || at(right, y) != 255) {
            return false;
        }
    }
    return true;
}

// How far in from the picture's edges its mask is fully opaque. There the picture is
// copied as it is: masked drawing lets a thirty-second of the background through even
// at full alpha, which shows the board's lines through a large flat face.
int SolidInset(const QxImage& mask) {
    if (mask.pixels.size() < static_cast<size_t>(mask.width) * static_cast<size_t>(mask.height)) {
        return std::max(mask.width, mask.height);
    }
    int k = std::min(mask.width, mask.height) / 2;
    if (k <= 0 || !RingOpaque(mask, k)) {
        return std::max(mask.width, mask.height);
    }
    while (k > 0 && RingOpaque(mask, k - 1)) {
        --k;
    }
    return k;
}

// Cuts the spans where the picture turns opaque (`inset` from either end), so each
// piece is either opaque throughout or not.
std::vector<PanelSpan> SplitAtInset(const std::vector<PanelSpan>& spans, int picture, int inset) {
    std::vector<PanelSpan> out;
    for (const PanelSpan& span : spans) {
        int from = span.from;
        int to = span.to;
        const int end = span.from + span.length;
        while (from < end) {
            const bool solid = from >= inset && from < picture - inset;
            int next = end;
            for (int cut : {inset, picture - inset}) {
                if (cut > from && cut < next) {
                    next = cut;
                }
            }
            out.push_back(PanelSpan{from, to, next - from, solid});
            to += next - from;
            from = next;
        }
    }
    return out;
}

// The picture's first half goes to the start of the box and its second half to the
// end, each cut short in a smaller box; a larger box repeats a strip of the picture's
// middle between them.
std::vector<PanelSpan> PanelSpans(int picture, int box) {
    constexpr int kStrip = 16;
    std::vector<PanelSpan> spans;
    if (picture <= 0 || box <= 0) {
        return spans;
    }
    const int start = std::min(picture / 2, box / 2);
    const int end = std::min(picture - picture / 2, box - start);
    spans.push_back(PanelSpan{0, 0, start});
    const int strip = std::min(kStrip, picture);
    const int stripFrom = std::max(0, picture / 2 - strip / 2);
    for (int to = start; to < box - end; to += strip) {
        spans.push_back(PanelSpan{stripFrom, to, std::min(strip, box - end - to)});
    }
    spans.push_back(PanelSpan{picture - end, box - end, end});
    return spans;
}

} // namespace

QxEntityVectorFrameType::QxEntityVectorFrameType(QxDefinition* definition)
    : QxEntityTypeOf(definition) {
    if (definition == nullptr) {
        return;
    }
    definition->ReadKey("Face", m_face);
    definition->ReadKey("Highlight", m_highlight);
    definition->ReadKey("Shadow", m_shadow);
    definition->ReadKey("SysClose", m_sysClose);
    definition->ReadKey("PanelEnt", m_panelRef);
    if (definition->ReadKey("PanelMargin", m_panelMargin)) {
        m_panelMargin = std::max(0, m_panelMargin);
    }
}

QxEntityVectorFrame::QxEntityVectorFrame(QxEntityVectorFrameType* type)
    : QxEntityDialogFrame(type) {
    m_panel = QxCreatePart<QxEntity2DGUISprite>(type->m_panelRef, kKindGUIElement);
}

QxRect QxEntityVectorFrame::PanelRect() const {
    const QxRect box = GetRect();
    const std::int32_t margin = VectorType()->m_panelMargin;
    return QxRect{box.left - margin, box.right + margin, box.top - margin, box.bottom + margin};
}

void QxEntityVectorFrame::Invalidate() {
    if (m_panel && g_screen != nullptr) {
        g_screen->MarkDirty(PanelRect(), false);
    }
    QxEntityDialogFrame::Invalidate();
}

bool QxEntityVectorFrame::DrawPanel() const {
    auto* sprite = dynamic_cast<QxEntity2DGUISprite*>(m_panel.get());
    const QxEntity2DGUISpriteType* type = sprite != nullptr ? sprite->SpriteType() : nullptr;
    const QxImageRecord* image = type != nullptr ? type->Image() : nullptr;
    const QxImage* mask = type != nullptr ? type->AlphaMask() : nullptr;
    if (image == nullptr || mask == nullptr || mask->width != image->width ||
        mask->height != image->height) {
        return false;
    }
    if (m_solidMask != mask) {
        m_solidMask = mask;
        m_solidInset = SolidInset(*mask);
    }
    const QxRect at = PanelRect();
    const std::vector<PanelSpan> columns =
        SplitAtInset(PanelSpans(image->width, at.Width()), image->width, m_solidInset);
    const std::vector<PanelSpan> rows =
        SplitAtInset(PanelSpans(image->height, at.Height()), image->height, m_solidInset);
    const std::uint32_t alpha = GetAlpha();
    for (const PanelSpan& row : rows) {
        for (const PanelSpan& column : columns) {
            const int x = at.left + column.to;
            const int y = at.top + row.to;
            if (alpha >= 255 && row.solid && column.solid) {
                g_screen->DrawSurface(image->surface, x, y, column.from, row.from, column.length,
                                      row.length, false);
            } else if (alpha >= 255) {
                g_screen->DrawSurfaceAlphaMapped(image->surface, x, y, column.from, row.from,
                                                 column.length, row.length, *mask);
            } else {
                g_screen->DrawSurfaceAlphaMappedFaded(image->surface, x, y, column.from, row.from,
                                                      column.length, row.length, *mask,
                                                      static_cast<int>(alpha));
            }
        }
    }
    return true;
}

bool QxEntityVectorFrame::Draw() {
    const QxRect frame = GetRect();
    if (g_screen == nullptr || !IsVisible() || frame.Width() < 8 || frame.Height() < 8) {
        return QxEntityDialogFrame::Draw();
    }
    if (DrawPanel()) {
        if (VectorType()->m_sysClose) {
            DrawCloseBox(CloseBox());
        }
        return QxEntityDialogFrame::Draw();
    }
    const QxEntityVectorFrameType* type = VectorType();
    const std::uint32_t alpha = GetAlpha();
    const QxColour face = Faded(type->m_face, alpha);
    const QxColour light = Faded(type->m_highlight, alpha);
    const QxColour dark = Faded(type->m_shadow, alpha);
    const QxColour softLight = Mix(face, light, 128);
    const QxColour softDark = Mix(face, dark, 128);

    // Raised face with a two-pixel bevel: the outer ring in the full colours, the
    // inner ring halfway to the face.
    g_screen->DrawFrame3D(frame, face, light, dark);
    g_screen->DrawHLine(frame.top + 1, frame.left + 1, frame.right - 3, softLight);
    g_screen->DrawVLine(frame.left + 1, frame.top + 1, frame.bottom - 3, softLight);
    g_screen->DrawVLine(frame.right - 2, frame.top + 1, frame.bottom - 2, softDark);
    g_screen->DrawHLine(frame.bottom - 2, frame.left + 1, frame.right - 2, softDark);

    if (type->m_hasTitle && type->m_titleHeight >= 6) {
        DrawTitleBar(QxRect{frame.left + 3, frame.right - 3, frame.top + 2,
                            frame.top + type->m_titleHeight + 1});
    }
    if (type->m_sysClose) {
        DrawCloseBox(CloseBox());
    }
    return QxEntityDialogFrame::Draw();
}

void QxEntityVectorFrame::DrawTitleBar(const QxRect& bar) const {
    const QxEntityVectorFrameType* type = VectorType();
    const std::uint32_t alpha = GetAlpha();
    const QxColour face = Faded(type->m_face, alpha);
    const QxColour light = Faded(type->m_highlight, alpha);
    const QxColour dark = Faded(type->m_shadow, alpha);
    if (bar.Width() < 3 || bar.Height() < 3) {
        return;
    }
    // Sunken one-pixel edge, then a shade from the shadow colour on the left to a
    // colour halfway between face and highlight on the right.
    g_screen->DrawHLine(bar.top, bar.left, bar.right - 1, Mix(face, dark, 160));
    g_screen->DrawVLine(bar.left, bar.top, bar.bottom - 1, Mix(face, dark, 160));
    g_screen->DrawHLine(bar.bottom - 1, bar.left + 1, bar.right - 1, Mix(face, light, 160));
    g_screen->DrawVLine(bar.right - 1, bar.top + 1, bar.bottom - 1, Mix(face, light, 160));
    const QxColour start = dark;
    const QxColour end = Mix(face, light, 96);
    const int first = bar.left + 1;
    const int last = bar.right - 2;
    const int span = std::max(1, last - first);
    for (int x = first; x <= last; ++x) {
        const QxColour shade = Mix(start, end, (x - first) * 256 / span);
        g_screen->DrawVLine(x, bar.top + 1, bar.bottom - 2, shade);
    }
}

void QxEntityVectorFrame::DrawCloseBox(const QxRect& box) const {
    const QxEntityVectorFrameType* type = VectorType();
    const std::uint32_t alpha = GetAlpha();
    if (box.Width() < 5 || box.Height() < 5) {
        return;
    }
    const QxColour face = Faded(type->m_face, alpha);
    const QxColour light = Faded(type->m_highlight, alpha);
    const QxColour dark = Faded(type->m_shadow, alpha);
    g_screen->DrawFrame3D(box, face, light, dark);
    // A two-pixel cross inset by two pixels; DrawLine leaves out its end point, so each
    // stroke ends one step past the last pixel it should cover.
    const int l = box.left + 2;
    const int t = box.top + 2;
    const int r = box.right - 3;
    const int b = box.bottom - 3;
    const int n = std::min(r - l, b - t);
    g_screen->DrawLine(QxPoint{l, t}, QxPoint{l + n + 1, t + n + 1}, dark);
    g_screen->DrawLine(QxPoint{l + 1, t}, QxPoint{l + n + 1, t + n}, dark);
    g_screen->DrawLine(QxPoint{l + n, t}, QxPoint{l - 1, t + n + 1}, dark);
    g_screen->DrawLine(QxPoint{l + n - 1, t}, QxPoint{l - 1, t + n}, dark);
}

bool QxEntityVectorFrame::OnMouseDown(QxPoint point) {
    if (VectorType()->m_sysClose && m_dialog != nullptr) {
        const QxRect box = CloseBox();
        if (point.x >= box.left && point.x < box.right && point.y >= box.top &&
            point.y < box.bottom) {
            m_dialog->Close(kAnswerDismissed);
            return false;
        }
    }
    return QxEntityDialogFrame::OnMouseDown(point);
}

QxPoint QxEntityVectorFrame::ContentOffset() const {
    return QxPoint{10, FrameType()->m_titleHeight + 8};
}

std::int32_t QxEntityVectorFrame::RightInset() const {
    return 20;
}

std::int32_t QxEntityVectorFrame::BottomInset() const {
    return FrameType()->m_titleHeight + 20;
}

QxRect QxEntityVectorFrame::CloseBox() const {
    const QxRect frame = GetRect();
    const std::int32_t height = FrameType()->m_titleHeight;
    const std::int32_t size = std::max(0, height - 3);
    const std::int32_t left = frame.right - (height + 1);
    const std::int32_t top = frame.top + 3;
    return QxRect{left, left + size, top, top + size};
}
