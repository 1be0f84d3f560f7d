#pragma once
// The menu screens' building blocks, painted with the shared helpers: the backdrop,
// the logo, panels, buttons and baked text. Sizes are in screen pixels; the painters
// work at kUiScale times that and reduce.
#include <string>

#include "ContentPaint.h"

constexpr int kUiScale = 4;

// Text baked into a picture (rasterised at the canvas's scale without hinting).
struct UiTextStyle {
    std::string face = "DejaVuSans-Bold.ttf";
    float size = 16;                      // screen pixels
    PaintColour top = palette::kCream;    // fill at the ascender
    PaintColour bottom = palette::kCream; // fill at the baseline
    float shadowAlpha = 0.6f;
    float shadowOffset = 1.0f; // screen pixels, down and right
    float shadowBlur = 0.8f;
    float outline = 0.0f; // dark outline width, screen pixels
    PaintColour outlineColour = palette::kNearBlack;
    float tracking = 0.0f; // extra space between letters
};

// Width in screen pixels of a text in a style.
float UiTextWidth(const UiTextStyle& style, const std::string& text);
// Paints text with its baseline at (x, baseline) in screen pixels; align 0 left,
// 1 centre, 2 right. The canvas is at kUiScale * `scale` of screen pixels.
void UiDrawText(PaintCanvas& canvas, const UiTextStyle& style, const std::string& text, float x,
                float baseline, int align, float scale = kUiScale);

// A sphere-shaded ball of radius r centred at (cx, cy), lit from the upper left.
void PaintBall(PaintCanvas& canvas, float cx, float cy, float r, const PaintColour& base);

// The shared menu backdrop, 640 x 480, opaque.
PaintCanvas UiBackdrop(uint32_t seed);
// The "RONDELIX" logo at screen size (its canvas is screen pixels), about 400 x 110.
PaintCanvas UiLogo();
// The logo's lettering (and its ball) as coverage on the logo's canvas, screen size:
// where a fire burns behind the title.
PaintMask UiLogoLettering();
// Decorations of the main menu, screen size: a ball rolling along a lane with its
// trail (about 180 x 90) and a stack of gold coins (about 90 x 100).
PaintCanvas UiRollingBall();
PaintCanvas UiCoinStack();
// A glass panel with a brass rim, screen size, drawn at 4x and reduced.
PaintCanvas UiPanel(int width, int height, float radius, bool withShadow);

enum class UiButtonState { Normal, Hover, Down, Disabled };
// The main menu's column of buttons: faces kMenuButtonHeight high at x 200, from
// kMenuButtonTop every kMenuButtonStep pixels (content/data/ui/menu/mainmenu.ent places
// them there, less the faces' margin of 6).
inline constexpr int kMenuButtons = 8;
inline constexpr int kMenuButtonTop = 146, kMenuButtonHeight = 32, kMenuButtonStep = 38;

// The settings screen: kSettingsRows rows centred from kSettingsRowTop every
// kSettingsRowStep pixels; a volume row has a level bar of the fill's size at
// kVolumeBarX (content/data/ui/menu/settingsmenu.ent places the elements there).
inline constexpr int kSettingsRows = 5, kSettingsRowTop = 120, kSettingsRowStep = 40;
inline constexpr int kVolumeBarX = 358, kVolumeBarWidth = 80, kVolumeBarHeight = 8;
// The rows that hold a volume (0-based).
inline constexpr int kSettingsVolumeRows[] = {2, 3};

struct UiButtonLook {
    int width = 240;
    int height = 38;
    float radius = 12;
    float labelSize = 16;
    int margin = 6; // room for shadow and glow around the face
    bool danger = false;
};
// A button face with its label in one state, the canvas width + 2 margin wide.
PaintCanvas UiButton(const UiButtonLook& look, const std::string& label, UiButtonState state);

// Reduces a canvas painted at kUiScale.
PaintCanvas UiReduce(const PaintCanvas& canvas);
