#pragma once
// A dialog frame drawn from three colours instead of images: a raised face with a
// two-pixel bevel, a sunken title bar shaded from the shadow colour towards the
// face, and optionally a close box at the right end of the title bar.
//
// With a panel ("PanelEnt", a sprite) the frame shows that picture instead, fitted to
// any box size: the picture's four quarters go to the box's corners and, for a box
// larger than the picture, a strip from the picture's middle repeats between them. So
// the panel's rim, corners and title band may be painted freely near the picture's
// edges, while its middle row and column must look the same all along. "PanelMargin"
// is how far the picture reaches beyond the box on every side (for a shadow).

#include <cstdint>
#include <memory>

#include "engine/gui/QxEntityDialogFrame.h"
#include "engine/screen/QxColour.h"

struct QxImage;

class QxEntityVectorFrame;

class QxEntityVectorFrameType
    : public QxEntityTypeOf<QxEntityVectorFrameType, QxEntityVectorFrame, QxEntityDialogFrameType> {
public:
    explicit QxEntityVectorFrameType(QxDefinition* definition);

    QxColour m_face{96, 112, 160, 255};
    QxColour m_highlight{200, 212, 244, 255};
    QxColour m_shadow{24, 28, 56, 255};
    bool m_sysClose = false;
    QxEntityRef m_panelRef;
    std::int32_t m_panelMargin = 0;
};

class QxEntityVectorFrame : public QxEntityDialogFrame {
public:
    explicit QxEntityVectorFrame(QxEntityVectorFrameType* type);

    bool Draw() override;
    void Invalidate() override;
    // A press in the close box closes the dialog with answer 0; elsewhere the title
    // bar drags as in every frame.
    bool OnMouseDown(QxPoint point) override;

    QxPoint ContentOffset() const override;
    std::int32_t RightInset() const override;
    std::int32_t BottomInset() const override;

    // A square of TitleHeight - 3 at the right end of the title bar, 3 pixels below
    // its top and TitleHeight + 1 from the frame's right edge.
    QxRect CloseBox() const;

    QxEntityVectorFrameType* VectorType() const {
        return static_cast<QxEntityVectorFrameType*>(Type());
    }

    // The panel picture's element, or null when the frame is drawn from colours.
    QxEntity2DGUIElement* Panel() const { return m_panel.get(); }

private:
    void DrawTitleBar(const QxRect& bar) const;
    void DrawCloseBox(const QxRect& box) const;
    // False when there is no panel picture to draw.
    bool DrawPanel() const;
    // The box with the panel's margin around it.
    QxRect PanelRect() const;

    std::unique_ptr<QxEntity2DGUIElement> m_panel;
    // How far in the panel's mask is opaque, found once per mask.
    mutable const QxImage* m_solidMask = nullptr;
    mutable int m_solidInset = 0;
};

using QxEntityVectorFramePrototype = QxTypePrototype<QxEntityVectorFrameType>;
