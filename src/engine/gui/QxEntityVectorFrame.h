#pragma once
// A dialog frame drawn from three colours instead of images: a raised face with a
// two-pixel bevel, a sunken title bar shaded from the shadow colour towards the
// face, and optionally a close box at the right end of the title bar.

#include <cstdint>
#include <memory>

#include "engine/gui/QxEntityDialogFrame.h"
#include "engine/screen/QxColour.h"

class QxEntityVectorFrameType : public QxEntityDialogFrameType {
public:
    explicit QxEntityVectorFrameType(QxDefinition* definition);

    std::unique_ptr<QxEntityBase> CreateEntity() override;

    QxColour m_face{96, 112, 160, 255};
    QxColour m_highlight{200, 212, 244, 255};
    QxColour m_shadow{24, 28, 56, 255};
    bool m_sysClose = false;
};

class QxEntityVectorFrame : public QxEntityDialogFrame {
public:
    explicit QxEntityVectorFrame(QxEntityVectorFrameType* type);

    bool Draw() override;
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

private:
    void DrawTitleBar(const QxRect& bar) const;
    void DrawCloseBox(const QxRect& box) const;
};

class QxEntityVectorFramePrototype : public QxEntityTypePrototype {
public:
    std::unique_ptr<QxEntityBaseType> CreateType(QxDefinition& definition) const override;
};
