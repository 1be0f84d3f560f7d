#include "engine/gui/QxEntityVectorFrame.h"

#include <algorithm>

#include "app/QxGlobals.h"
#include "engine/gui/QxEntityDialogBox.h"
#include "engine/screen/QxScreen2D.h"

namespace {

// The colour form of definitions: alpha << 24 | red << 16 | green << 8 | blue.
QxColour FromDefinition(std::uint32_t value) {
    return QxColour(static_cast<std::uint8_t>(value >> 16), static_cast<std::uint8_t>(value >> 8),
                    static_cast<std::uint8_t>(value), static_cast<std::uint8_t>(value >> 24));
}

void ReadColour(QxDefinition& definition, const char* key, QxColour& colour) {
    std::uint32_t value = 0;
    if (definition.FindKey(key) && definition.ReadColor(value)) {
        colour = FromDefinition(value);
    }
}

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

} // namespace

QxEntityVectorFrameType::QxEntityVectorFrameType(QxDefinition* definition)
    : QxEntityDialogFrameType(definition) {
    if (definition == nullptr) {
        return;
    }
    ReadColour(*definition, "Face", m_face);
    ReadColour(*definition, "Highlight", m_highlight);
    ReadColour(*definition, "Shadow", m_shadow);
    std::int32_t flag = 0;
    if (definition->FindKey("SysClose") && definition->ReadInts(&flag, 1)) {
        m_sysClose = flag != 0;
    }
}

std::unique_ptr<QxEntityBase> QxEntityVectorFrameType::CreateEntity() {
    return std::make_unique<QxEntityVectorFrame>(this);
}

QxEntityVectorFrame::QxEntityVectorFrame(QxEntityVectorFrameType* type)
    : QxEntityDialogFrame(type) {}

bool QxEntityVectorFrame::Draw() {
    const QxRect frame = GetRect();
    if (g_screen == nullptr || !IsVisible() || frame.Width() < 8 || frame.Height() < 8) {
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

std::unique_ptr<QxEntityBaseType>
QxEntityVectorFramePrototype::CreateType(QxDefinition& definition) const {
    return std::make_unique<QxEntityVectorFrameType>(&definition);
}
