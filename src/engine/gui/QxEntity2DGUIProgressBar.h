#pragma once
// A sprite of which only a fraction is drawn: the value (0 to 1) of its width, or of
// its height when vertical; "reverse" fills it from the far side.

#include <cstdint>
#include <memory>

#include "engine/gui/QxEntity2DGUISprite.h"

// The value (float through SetFloat/GetFloat), clamped to 0 to 1 when set.
enum QxGUIProgressBarProperty : int {
    kPropProgressValue = 784,
};

class QxEntity2DGUIProgressBar;

class QxEntity2DGUIProgressBarType
    : public QxEntityTypeOf<QxEntity2DGUIProgressBarType, QxEntity2DGUIProgressBar,
                            QxEntity2DGUISpriteType> {
public:
    explicit QxEntity2DGUIProgressBarType(QxDefinition* definition);

    bool m_vertical = false;
    bool m_reverse = false;
};

class QxEntity2DGUIProgressBar : public QxEntity2DGUISprite {
public:
    explicit QxEntity2DGUIProgressBar(QxEntity2DGUIProgressBarType* type);

    bool SetFloat(int id, float value) override;
    bool GetFloat(int id, float& value) override;

    // Works out the shown part from the value.
    bool Update(float ms) override;

    QxEntity2DGUIProgressBarType* BarType() const {
        return static_cast<QxEntity2DGUIProgressBarType*>(Type());
    }
    float Value() const { return m_value; }

protected:
    bool DrawImage() override;

private:
    float m_value = 0.75f;
    std::int32_t m_shownWidth = 0;
    std::int32_t m_shownHeight = 0;
};

using QxEntity2DGUIProgressBarPrototype = QxTypePrototype<QxEntity2DGUIProgressBarType>;
