#include "game/objects/PyxEntityBigTeeth.h"

#include "app/QxGlobals.h"
#include "engine/files/QxResourceCache.h"
#include "engine/gui/QxEntity2DGUISprite.h"
#include "engine/screen/QxScreen2D.h"
#include "game/objects/PyxEntityGameObject.h"

PyxEntityBigTeethType::PyxEntityBigTeethType(QxDefinition* definition)
    : QxEntityTypeOf(definition) {
    AddParts({&m_image});
    if (definition) {
        definition->ReadKey("ImageEnt", m_image.reference);
    }
}

PyxEntityBigTeeth::PyxEntityBigTeeth(PyxEntityBigTeethType* type) : QxEntity2DGUIElement(type) {}

void PyxEntityBigTeeth::SetTrajectory(std::unique_ptr<QxTrajectoryBase> trajectory) {
    Invalidate();
    m_trajectory = std::move(trajectory);
}

bool PyxEntityBigTeeth::Update(float ms) {
    PyxEntityBigTeethType* type = TeethType();
    type->Load(false);
    if (QxEntity2DGUIElement* image = type->Image()) {
        image->Update(ms);
    }
    if (m_trajectory) {
        Invalidate();
        m_trajectory->Update(ms);
        float x = 0.0f;
        float y = 0.0f;
        m_trajectory->Position(x, y);
        SetPosition({BoardPixel(x) - kJawOffset, BoardPixel(y)});
        Invalidate();
    }
    return QxEntity2DGUIElement::Update(ms);
}

bool PyxEntityBigTeeth::Draw() {
    PyxEntityBigTeethType* type = TeethType();
    QxEntity2DGUIElement* image = type->Image();
    if (!m_trajectory || !image) {
        return true;
    }
    image->SetPosition({m_x, m_y});
    image->Draw();

    const QxPoint lower{m_x + kJawOffset, kMirrorSum - m_y};
    auto* sprite = dynamic_cast<QxEntity2DGUISprite*>(image);
    const QxImageRecord* picture = sprite ? sprite->SpriteType()->Image() : nullptr;
    if (picture && g_screen) {
        sprite->SetPosition(lower);
        const QxPoint at = sprite->DrawPosition();
        g_screen->DrawSurfaceFlipped(picture->surface, at.x, at.y, 0, 0, -1, -1,
                                     sprite->SpriteType()->m_transparent);
    } else {
        image->SetPosition(lower);
        image->Draw();
    }
    return true;
}

void PyxEntityBigTeeth::Invalidate() {
    QxEntity2DGUIElement* image = TeethType()->Image();
    if (!image) {
        return;
    }
    image->SetPosition({m_x, m_y});
    image->Invalidate();
    image->SetPosition({m_x + kJawOffset, kMirrorSum - m_y});
    image->Invalidate();
}
