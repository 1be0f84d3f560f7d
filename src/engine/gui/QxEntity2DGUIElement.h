#pragma once
// The base of everything drawn on screen: a rectangle, visibility, a disabled flag and
// an alpha value with two automatic alpha animations (a fade and a pulse), and a
// tooltip shown when the mouse rests on the element.
//
// Visibility and alpha are tied together: a hidden element is always disabled and
// transparent, showing one re-enables it, and a fade that reaches alpha 0 hides it.

#include <cstdint>
#include <memory>
#include <string>

#include "engine/entity/QxDefinition.h"
#include "engine/entity/QxEntityBase.h"
#include "engine/screen/QxColour.h"
#include "engine/screen/QxRect.h"

class QxEntity2DGUIFont;
class QxEntity2DScene;
struct QxImageListRecord;
struct QxImageRecord;

// Kind tag of every GUI element type.
inline constexpr std::uint32_t kKindGUIElement = QxKindTag("GUIE");

// Property ids of every element.
enum QxGUIElementProperty : int {
    kPropTooltipText = 1, // string: the tooltip text of the element's type
    kPropTintSwitch = 2,  // byte: 0 draws untinted
    kPropTintRed = 3,
    kPropTintBlue = 4,
    kPropTintGreen = 5,
};

class QxEntity2DGUIElement;

class QxEntity2DGUIElementType
    : public QxEntityTypeOf<QxEntity2DGUIElementType, QxEntity2DGUIElement, QxEntityBaseType,
                            kKindGUIElement> {
public:
    // Reads the element keys; a null definition keeps every default.
    explicit QxEntity2DGUIElementType(QxDefinition* definition);

    // Shared by every instance of the type: setting it through one element changes
    // it for all.
    std::string m_tooltip;
    std::int32_t m_tooltipOffsetX = 12;
    std::int32_t m_tooltipOffsetY = 24;
    // True: the offset is added to the mouse position; false: it is a screen position.
    bool m_tooltipRelative = true;
    // Asks the drawing subclasses to dither instead of blending true alpha.
    bool m_dither = false;
};

class QxEntity2DGUIElement : public QxEntityBase {
public:
    explicit QxEntity2DGUIElement(QxEntity2DGUIElementType* type);
    ~QxEntity2DGUIElement() override;

    bool SetBool(int id, std::int32_t value) override;
    bool SetString(int id, const std::string& text) override;
    bool GetBool(int id, std::int32_t& value) override;
    bool GetString(int id, std::string& text) override;

    // Runs the fade, the pulse and the tooltip hover, then keeps the type loaded.
    bool Update(float ms) override;
    // Draws nothing at this level.
    bool Draw() override;

    virtual void SetPosition(QxPoint position);
    virtual QxPoint GetPosition() const;
    virtual QxRect GetRect() const;
    virtual void SetSize(std::int32_t width, std::int32_t height);
    virtual void SetRect(std::int32_t x, std::int32_t y, std::int32_t width, std::int32_t height);

    // One full swing down and up takes `periodMs`; 0 stops the pulse at full alpha.
    virtual void StartPulse(float periodMs);
    virtual bool IsPulsing() const;
    virtual void SetPulse(float value, float rate);
    // Fades from the current alpha to 255 (or to 0, which then hides the element).
    virtual void FadeIn(float durationMs);
    virtual void FadeOut(float durationMs);

    virtual void SetVisible(bool visible);
    virtual bool IsVisible() const;
    virtual void SetDisabled(bool disabled);
    virtual bool IsDisabled() const;
    virtual void SetAlpha(std::uint32_t alpha);
    virtual std::uint32_t GetAlpha() const;

    // True when a click at the point is the element's; false at this level.
    virtual bool Click(QxPoint point);
    virtual bool Contains(QxPoint point);
    // Marks what the element covers for redraw and drops cached layout; nothing here.
    virtual void Invalidate();
    // Text elements answer their font; none at this level.
    virtual QxEntity2DGUIFont* GetFont();

    QxEntity2DGUIElementType* ElementType() const {
        return static_cast<QxEntity2DGUIElementType*>(Type());
    }

    float FadeRate() const { return m_fadeRate; }
    // Tint bytes: blue, green, red and, in the alpha byte, the tint switch.
    QxColour Tint() const { return m_tint; }

    // The scene that shows tooltips. Whoever runs scenes names the current one here;
    // with none named, hovering shows no tooltip. A scene clears it when destroyed.
    static void SetTooltipScene(QxEntity2DScene* scene);
    static QxEntity2DScene* TooltipScene();

protected:
    std::int32_t m_x = 0;
    std::int32_t m_y = 0;
    std::int32_t m_width = 0;
    std::int32_t m_height = 0;
    std::uint8_t m_disabled = 0;
    std::uint8_t m_visible = 1;
    std::uint32_t m_alpha = 255;
    float m_fadeRate = 0.0f; // alpha units per millisecond; 0 = no fade running
    float m_hoverTime = 0.0f;
    QxColour m_tint{0, 0, 0, 0};
    float m_pulseRate = 0.0f; // alpha units per millisecond, signed; 0 = not pulsing
    float m_pulseValue = 0.0f;
    float m_pulseMax = 255.0f;
    float m_pulseMin = 160.0f;

private:
    void UpdateFade(float ms);
    void UpdatePulse(float ms);
    void UpdateTooltipHover(float ms);
};

using QxEntity2DGUIElementPrototype = QxTypePrototype<QxEntity2DGUIElementType>;

// Creates a GUI element from a reference through the registry, requiring the kind.
// Null when the reference is empty, names no type, the type is of another kind, or
// what it builds is not a GUI element.
std::unique_ptr<QxEntity2DGUIElement> QxCreateGUIElement(const QxEntityRef& reference,
                                                         std::uint32_t kind = kKindGUIElement);

// Moves an element to a point and draws it there; nothing for a missing element.
void QxDrawElementAt(QxEntity2DGUIElement* element, std::int32_t x, std::int32_t y);
