#pragma once
// The jaws that close over the board between levels: an element of the game screen
// that draws one image twice, the upper jaw where its trajectory leads and the lower
// jaw mirrored about the line y = 40 (upside down, at the mirrored height), so that the
// two close and open together. Without a trajectory it draws nothing.

#include <cstdint>
#include <memory>

#include "engine/entity/QxDefinition.h"
#include "engine/gui/QxEntity2DGUIElement.h"
#include "engine/gui/QxTypeElement.h"
#include "game/objects/QxTrajectoryBase.h"

class PyxEntityBigTeeth;

class PyxEntityBigTeethType
    : public QxEntityTypeOf<PyxEntityBigTeethType, PyxEntityBigTeeth, QxEntity2DGUIElementType> {
public:
    // Reads the element keys and "ImageEnt", the image to draw.
    explicit PyxEntityBigTeethType(QxDefinition* definition);

    QxEntity2DGUIElement* Image() const { return m_image.Get(); }

private:
    QxTypeElement m_image;
};

class PyxEntityBigTeeth : public QxEntity2DGUIElement {
public:
    // The lower jaw sits this far right of the upper one, which is drawn this far left
    // of its trajectory.
    static constexpr std::int32_t kJawOffset = 67;
    // The jaws mirror each other about y = kMirrorSum / 2.
    static constexpr std::int32_t kMirrorSum = 80;

    explicit PyxEntityBigTeeth(PyxEntityBigTeethType* type);

    // Takes the trajectory the upper jaw follows; the old one is deleted. Null hides the
    // jaws.
    virtual void SetTrajectory(std::unique_ptr<QxTrajectoryBase> trajectory);
    QxTrajectoryBase* Trajectory() const { return m_trajectory.get(); }

    // Updates the image and follows the trajectory, then the element update.
    bool Update(float ms) override;
    // Both jaws, with a trajectory and an image. An image that is not a sprite cannot be
    // turned over and is drawn upright for both.
    bool Draw() override;
    // Marks the area of both jaws for redraw.
    void Invalidate() override;

    PyxEntityBigTeethType* TeethType() const { return static_cast<PyxEntityBigTeethType*>(Type()); }

private:
    std::unique_ptr<QxTrajectoryBase> m_trajectory;
};

using PyxEntityBigTeethPrototype = QxTypePrototype<PyxEntityBigTeethType>;
