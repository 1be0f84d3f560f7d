#pragma once
// A dialog: a box with a frame and a title that a scene opens with AddDialog and that
// then receives the scene's input. It can be dragged by its title bar, can count down
// and close itself, and closes with an answer that the scene's close callback reads.
//
// Answers: 0 dismissed (Escape without Cancel, the close box), 1 OK, 2 Yes, 3 No (OK
// of an input box), 4 Cancel, 99 the time-out ran out.

#include <array>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>

#include "engine/entity/QxDefinition.h"
#include "engine/gui/QxDialogInterface.h"
#include "engine/gui/QxEntity2DGUIElement.h"

class QxEntityDialogFrame;

inline constexpr std::uint32_t kKindDialogBox = QxKindTag("DLGB");

enum QxDialogAnswer : std::int32_t {
    kAnswerDismissed = 0,
    kAnswerOK = 1,
    kAnswerYes = 2,
    kAnswerNo = 3,
    kAnswerInputOK = 3,
    kAnswerCancel = 4,
    kAnswerTimedOut = 99,
};

// A width and a height in pixels.
struct QxExtent {
    std::int32_t width = 0;
    std::int32_t height = 0;
};

inline constexpr int kKeyEnter = 13;
inline constexpr int kKeyEscape = 27;

class QxEntityDialogBox;

class QxEntityDialogBoxType : public QxEntityTypeOf<QxEntityDialogBoxType, QxEntityDialogBox,
                                                    QxEntity2DGUIElementType, kKindDialogBox> {
public:
    explicit QxEntityDialogBoxType(QxDefinition* definition);

    QxEntityRef m_frameRef;
    std::int32_t m_width = 64;
    std::int32_t m_height = 64;
    std::string m_title;
    std::int32_t m_timeOut = 0; // ms; above 0 the box closes itself after this time

protected:
    // Reads the references of a dialog's parts, one key per slot.
    template <std::size_t N>
    static void ReadPartRefs(QxDefinition* definition, const char* const (&keys)[N],
                             std::array<QxEntityRef, N>& refs) {
        if (definition == nullptr) {
            return;
        }
        for (std::size_t slot = 0; slot < N; ++slot) {
            definition->ReadKey(keys[slot], refs[slot]);
        }
    }
};

class QxEntityDialogBox : public QxEntity2DGUIElement, public QxDialogInterface {
public:
    explicit QxEntityDialogBox(QxEntityDialogBoxType* type);
    ~QxEntityDialogBox() override;

    // Follows a drag, runs the count-down, then updates the frame.
    bool Update(float ms) override;
    bool Draw() override;
    void Invalidate() override;

    void SetPosition(QxPoint position) override;
    void SetSize(std::int32_t width, std::int32_t height) override;
    void SetRect(std::int32_t x, std::int32_t y, std::int32_t width, std::int32_t height) override;

    // Input hooks, forwarded by the owner scene.
    bool OnMouseUp(QxPoint point, int button) override;
    bool OnPointerHook(QxPoint point, int button) override;
    bool OnMouseDown(QxPoint point, int button) override;
    bool OnIntegerHook(std::int32_t value) override;
    bool OnKey(int code) override;
    bool OnKeyUp(int code) override;

    // Above 0 starts a count-down of that many ms; otherwise stops it.
    void SetTimeOut(std::int32_t ms) override;

    // Stores the answer and asks the owner scene to close the dialog. The scene's close
    // callback may refuse, and the dialog then stays open.
    virtual void Close(std::int32_t answer);
    virtual void SetTitle(const std::string& title);

    // Called by the frame: a press in the title bar at `point` starts a drag.
    void StartDragging(QxPoint point);
    void StopDragging() { m_dragging = 0; }
    bool IsDragging() const { return m_dragging != 0; }
    // The plain title (without the count-down).
    const std::string& Title() const { return m_title; }
    // What the frame shows now.
    std::string ShownTitle() const;

    QxEntityDialogFrame* Frame() const { return m_frame.get(); }
    // Top-left corner of the content area, in screen pixels.
    QxPoint ContentOrigin() const;
    // Room the frame takes around the content (horizontally and vertically, in total).
    std::int32_t FrameWidthExtra() const;
    std::int32_t FrameHeightExtra() const;

    QxEntityDialogBoxType* DialogType() const {
        return static_cast<QxEntityDialogBoxType*>(Type());
    }

protected:
    // Subclasses place their parts here; called whenever position or size change.
    virtual void LayOut() {}
    // Stops a running count-down and shows the plain title again.
    void StopCountDown();
    bool StrictlyInside(QxPoint point) const;

    std::unique_ptr<QxEntityDialogFrame> m_frame;
    std::uint8_t m_dragging = 0;
    QxPoint m_grab{0, 0};
    float m_timeLeft = 0.0f;
    std::uint8_t m_countingDown = 0;
    std::string m_title;
};

using QxEntityDialogBoxPrototype = QxTypePrototype<QxEntityDialogBoxType>;
