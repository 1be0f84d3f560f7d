#pragma once
// A text that shows the frame rate, smoothed over recent frames, through its default
// text used as a format with one integer (for example "%d FPS"). It shows nothing
// while the program-wide frame-rate switch is off, which it is at start.

#include <cstdint>
#include <memory>
#include <string>

#include "engine/gui/QxEntity2DGUIText.h"

class QxEntity2DGUIFPSText;

class QxEntity2DGUIFPSTextType
    : public QxEntityTypeOf<QxEntity2DGUIFPSTextType, QxEntity2DGUIFPSText, QxEntity2DGUITextType> {
public:
    explicit QxEntity2DGUIFPSTextType(QxDefinition* definition);
};

class QxEntity2DGUIFPSText : public QxEntity2DGUIText {
public:
    explicit QxEntity2DGUIFPSText(QxEntity2DGUIFPSTextType* type);

    bool Update(float ms) override;

    // The frame-rate display switch shared by every FPS text.
    static void SetShowFrameRate(bool show);

    // The format with its first integer conversion (%d or %i, with optional flags
    // and a width of up to two digits) replaced by the number and "%%" by "%". Any
    // other conversion is shown as written, so a definition cannot make the
    // formatting read arguments that are not there.
    static std::string FormatCount(const std::string& format, std::int32_t count);

private:
    float m_smoothedMs = 0.0f;
};

using QxEntity2DGUIFPSTextPrototype = QxTypePrototype<QxEntity2DGUIFPSTextType>;
