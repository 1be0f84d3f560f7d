#pragma once
// The animation a board-object type shows: an image list from the resource cache and
// an optional alpha image (one mask for every frame, or an image-list file of masks,
// one per frame). The type loads it with its resources; instances keep their own frame
// position and draw through it.

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "engine/entity/QxTypePart.h"
#include "engine/files/QxImage.h"

class QxDefinition;
struct QxImageListRecord;
struct QxImageListFrame;

class PyxAnimImage final : public QxTypePart {
public:
    PyxAnimImage() = default;
    PyxAnimImage(const PyxAnimImage&) = delete;
    PyxAnimImage& operator=(const PyxAnimImage&) = delete;
    ~PyxAnimImage();

    static constexpr float kDefaultFrameRate = 30.0f;

    std::string image;                   // image-list file
    std::string alphaImage;              // optional alpha image or list of them
    float frameRate = kDefaultFrameRate; // frames per second

    // Reads "Image", "AlphaImage" and "FrameRate"; a key the definition lacks keeps
    // its value.
    void ReadKeys(QxDefinition& definition);

    // Gets the list and the masks unless held; reload gives them back and gets them
    // anew (the surfaces vanished with a change of display mode).
    void Load(bool reload);
    void Release();
    void LoadPart(bool reload) override { Load(reload); }
    void ReleasePart() override { Release(); }

    // True while the image list is held (it may still have no frames).
    bool IsLoaded() const { return m_list != nullptr; }
    // The held list, or null.
    const QxImageListRecord* List() const { return m_list; }
    std::int32_t FrameCount() const;
    // The frame, or null for an index outside the list.
    const QxImageListFrame* Frame(std::int32_t index) const;
    // The mask of a frame (the last mask serves frames beyond the masks), or null.
    const QxImage* Mask(std::int32_t index) const;

    // Draws the frame with its top-left at (x, y): with the mask when there is one of
    // the frame's size, blended by alpha when below 255, else keyed on colour 0.
    // False when there is nothing to draw or the screen refused.
    bool Draw(std::int32_t index, std::int32_t x, std::int32_t y, std::int32_t alpha) const;

    // True when the list is held but its surfaces are gone (a change of display mode);
    // the holder then loads it again.
    bool SurfacesLost() const;

    // The frame position after ms milliseconds at the frame rate, wrapped to the frame
    // count (floating remainder); unchanged without frames.
    float Advance(float position, float ms) const;

private:
    QxImageListRecord* m_list = nullptr;
    std::vector<std::unique_ptr<QxImage>> m_masks;
};
