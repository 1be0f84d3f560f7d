#pragma once
// The frame of a dialog box: an element the size of the box that may carry a title
// bar. A press in the title bar starts dragging the dialog; the frame also tells the
// dialog where its content goes (the content offset and the space the frame takes on
// the right and at the bottom).

#include <cstdint>
#include <memory>
#include <string>

#include "engine/entity/QxDefinition.h"
#include "engine/gui/QxEntity2DGUIElement.h"

class QxEntity2DGUIText;
class QxEntityDialogBox;

inline constexpr std::uint32_t kKindDialogFrame = QxKindTag("DFRM");

class QxEntityDialogFrame;

class QxEntityDialogFrameType : public QxEntityTypeOf<QxEntityDialogFrameType, QxEntityDialogFrame,
                                                      QxEntity2DGUIElementType, kKindDialogFrame> {
public:
    explicit QxEntityDialogFrameType(QxDefinition* definition);

    bool m_hasTitle = false;
    std::int32_t m_titleHeight = 12;
    QxPoint m_titleOffset{3, 3};
    QxEntityRef m_titleTextRef;
};

class QxEntityDialogFrame : public QxEntity2DGUIElement {
public:
    explicit QxEntityDialogFrame(QxEntityDialogFrameType* type);
    ~QxEntityDialogFrame() override;

    bool Update(float ms) override;
    // Draws the title text; subclasses draw the frame itself first.
    bool Draw() override;
    void SetPosition(QxPoint position) override;
    void Invalidate() override;

    // Input from the dialog. A press strictly inside the title bar starts dragging
    // the dialog; a release ends a drag. Neither takes the event.
    virtual bool OnMouseUp(QxPoint point);
    virtual bool OnMouseDown(QxPoint point);

    // Where the dialog's content goes, relative to the frame's top-left corner, and
    // how much room the frame takes on the right and at the bottom (both counted
    // across the whole box, the content offset included).
    virtual QxPoint ContentOffset() const;
    virtual std::int32_t RightInset() const;
    virtual std::int32_t BottomInset() const;

    // The dialog the frame belongs to (not owned).
    void SetDialog(QxEntityDialogBox* dialog) { m_dialog = dialog; }
    QxEntityDialogBox* Dialog() const { return m_dialog; }
    void SetTitle(const std::string& title);
    const std::string& Title() const { return m_title; }
    // The title bar: the frame's width, TitleHeight high, at its top.
    QxRect TitleBar() const;

    QxEntityDialogFrameType* FrameType() const {
        return static_cast<QxEntityDialogFrameType*>(Type());
    }

protected:
    QxEntityDialogBox* m_dialog = nullptr;
    std::unique_ptr<QxEntity2DGUIText> m_titleText;
    std::string m_title;
};

using QxEntityDialogFramePrototype = QxTypePrototype<QxEntityDialogFrameType>;
