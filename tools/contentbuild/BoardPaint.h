#pragma once
// Painting helpers for the board and its side bar, on top of ContentPaint: lit spheres
// with specular highlights and rim light, soft shadows and glows, brass and felt, and
// a contact-sheet preview for looking at generated art while it is being made.
//
// Coordinates are canvas pixels; board art is painted at kBoardScale times its stored
// size and reduced with Downsample.

#include <functional>
#include <string>
#include <vector>

#include "ContentPaint.h"

inline constexpr int kBoardScale = 4;

float BoardSmooth(float edge0, float edge1, float x);
float BoardClamp(float v, float low = 0.0f, float high = 1.0f);

// The surface colour of a sphere at a point, given its unit normal (z towards the
// viewer) and the point's position on the disc (u, v from -1 to 1).
using SphereAlbedo = std::function<PaintColour(float nx, float ny, float nz)>;

struct SphereLook {
    float ambient = 0.34f;
    float diffuse = 0.78f;
    float specular = 0.85f;
    float shininess = 36.0f;
    float rim = 0.22f;
    PaintColour rimColour = palette::kSeaGlass;
    // A broad soft sheen around the highlight, for glossy materials.
    float sheen = 0.18f;
};

// A lit sphere, anti-aliased at its edge, light from the upper left.
void PaintSphere(PaintCanvas& canvas, float cx, float cy, float radius, const SphereAlbedo& albedo,
                 const SphereLook& look, float opacity = 1.0f);
// The same, squashed or stretched to the radii rx and ry.
void PaintSpheroid(PaintCanvas& canvas, float cx, float cy, float rx, float ry,
                   const SphereAlbedo& albedo, const SphereLook& look, float opacity = 1.0f);
// The shading factor (ambient plus diffuse) and the highlight of a normal; shared by
// pictures that shade surfaces of their own.
float BoardDiffuse(float nx, float ny, float nz);
float BoardSpecular(float nx, float ny, float nz, float shininess);

// A soft ellipse of colour whose edge fades over `soft` pixels (shadows, glows).
void PaintSoftEllipse(PaintCanvas& canvas, float cx, float cy, float rx, float ry, float soft,
                      const PaintColour& colour);
// A shadow of the canvas's own shape, put underneath: offset, blurred, near-black.
void PaintShadowUnder(PaintCanvas& canvas, float dx, float dy, float blur, float alpha);
// Brightens the canvas where a mask is set, towards a colour (light falling on it).
void PaintLight(PaintCanvas& canvas, const PaintMask& mask, const PaintColour& colour,
                float amount);

// Polished brass: warm highlights towards the upper left, brown shadow to the lower
// right, with a faint brushed ring texture around (cx, cy).
PaintFill FillBrass(float cx, float cy, float radius, float brightness = 1.0f);

// Felt: a base colour with fine deterministic fibre noise (for opaque floors).
PaintColour FeltAt(const PaintColour& base, float x, float y, uint32_t seed);

// A keyed 16-bit frame for image lists drawn without a mask: pixels under half
// alpha become the colour key, the rest are composited over `matte`.
QxImage ToKeyed16(const PaintCanvas& canvas, const PaintColour& matte, const std::string& name);

// A picture painted at kBoardScale and reduced.
PaintCanvas Reduce(const PaintCanvas& big);

// Writes a PNG contact sheet of the pictures over a background, each enlarged by
// `zoom`, when the environment variable RONDELIX_ART_PREVIEW names a folder.
void BoardPreview(const std::string& name, const std::vector<PaintCanvas>& pictures,
                  const PaintColour& background, int zoom = 2);
