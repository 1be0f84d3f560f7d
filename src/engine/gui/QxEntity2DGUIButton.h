#pragma once
// A clickable element made of up to four image elements (normal, pressed, highlight,
// disabled) with sounds for entering, pressing and clicking. Buttons poll the shared
// mouse state each frame; a scene asks them with Click on mouse-up whether a click
// was theirs.

#include <cstdint>
#include <memory>
#include <string>

#include "engine/entity/QxDefinition.h"
#include "engine/gui/QxEntity2DGUIElement.h"
#include "engine/gui/QxTypeElement.h"
#include "engine/screen/QxRect.h"

struct QxSoundRecord;

inline constexpr std::uint32_t kKindButton = QxKindTag("BUTN");

// Integer properties (SetInt/GetInt); other integer ids go on to the main image, so
// 769 and 770 give its width and height.
enum QxGUIButtonProperty : int {
    kPropForcedDown = 2305,
    // Set and get: the keyboard focus. Once a button has been given it, its highlight
    // shows the focus (which follows the mouse, see QxKeyboardFocus) instead of the
    // mouse alone, so a keyboard and a mouse never light two buttons at once.
    kPropFocused = 2306,
    // Set: plays the sound of the mouse entering, for a focus that a key moved here.
    kPropHoverSound = 2307,
};

class QxEntity2DGUIButton;

class QxEntity2DGUIButtonType : public QxEntityTypeOf<QxEntity2DGUIButtonType, QxEntity2DGUIButton,
                                                      QxEntity2DGUIElementType, kKindButton> {
public:
    explicit QxEntity2DGUIButtonType(QxDefinition* definition);
    ~QxEntity2DGUIButtonType() override;

    // Gets the sounds from the resource cache (the four image elements, shared by every
    // button of the type, are parts).
    bool Load(bool reload) override;
    bool Unload() override;

    QxEntity2DGUIElement* MainImage() const { return m_mainImage.Get(); }
    QxEntity2DGUIElement* DownImage() const { return m_downImage.Get(); }
    QxEntity2DGUIElement* HighlightImage() const { return m_highlightImage.Get(); }
    QxEntity2DGUIElement* DisabledImage() const { return m_disabledImage.Get(); }
    const QxSoundRecord* ContentSound() const { return m_contentSoundRecord; }
    const QxSoundRecord* ClickSound() const { return m_clickSoundRecord; }
    const QxSoundRecord* DownSound() const { return m_downSoundRecord; }

    std::string m_contentSound; // when the mouse enters
    std::string m_clickSound;
    std::string m_downSound; // when the button is pressed
    // True: the highlight image is drawn over the normal or pressed image, as a
    // frame. False: it replaces the normal image while hovering.
    bool m_highlightAsFrame = true;

private:
    void ReleaseSounds();

    QxTypeElement m_mainImage;
    QxTypeElement m_downImage;
    QxTypeElement m_highlightImage;
    QxTypeElement m_disabledImage;
    QxSoundRecord* m_contentSoundRecord = nullptr;
    QxSoundRecord* m_clickSoundRecord = nullptr;
    QxSoundRecord* m_downSoundRecord = nullptr;
};

class QxEntity2DGUIButton : public QxEntity2DGUIElement {
public:
    explicit QxEntity2DGUIButton(QxEntity2DGUIButtonType* type);

    bool SetInt(int id, std::int32_t value) override;
    bool GetInt(int id, std::int32_t& value) override;

    bool Update(float ms) override;
    bool Draw() override;
    void Invalidate() override;
    void SetPosition(QxPoint position) override;
    // True, with the click sound, when the button is enabled and the point lies
    // strictly inside it.
    bool Click(QxPoint point) override;
    bool Contains(QxPoint point) override;
    // True while the mouse holds it down, or while it is forced down.
    virtual bool IsDown();

    QxEntity2DGUIButtonType* ButtonType() const {
        return static_cast<QxEntity2DGUIButtonType*>(Type());
    }
    bool IsHovering() const { return m_hovering != 0; }
    // Whether the highlight shows: the focus when the button has been given one, else
    // the mouse over it.
    bool IsLit() const { return m_focusDriven ? m_focused != 0 : m_hovering != 0; }

private:
    // The images are shared by every button of the type, so each button puts them at
    // its own position before it uses them.
    void PlaceImages();
    void UpdateHitRect();
    static void PlaySound(const QxSoundRecord* sound);
    static void DrawImage(QxEntity2DGUIElement* image, std::uint32_t alpha);

    QxRect m_hit;
    std::uint8_t m_hovering = 0;
    std::uint8_t m_highlightChanged = 0;
    std::uint8_t m_forcedDown = 0;
    std::uint8_t m_hoverSoundPlayed = 0;
    std::uint8_t m_pressSoundPlayed = 0;
    std::uint8_t m_focusDriven = 0;
    std::uint8_t m_focused = 0;
};

using QxEntity2DGUIButtonPrototype = QxTypePrototype<QxEntity2DGUIButtonType>;

// A button element from a reference (kind "BUTN"), or null.
std::unique_ptr<QxEntity2DGUIButton> QxCreateButton(const QxEntityRef& reference);
