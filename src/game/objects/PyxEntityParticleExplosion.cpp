#include "game/objects/PyxEntityParticleExplosion.h"

#include <cmath>

#include "app/QxGlobals.h"
#include "app/QxRandom.h"
#include "engine/entity/QxDefinition.h"
#include "engine/screen/QxScreen2D.h"
#include "game/objects/PyxEntityExplosionSupport.h"
#include "game/objects/PyxEntityRenderedBall.h"

PyxEntityParticleExplosionType::PyxEntityParticleExplosionType(QxDefinition* definition)
    : QxEntityTypeOf(definition) {
    AddParts({&m_sound});
    if (!definition) {
        return;
    }
    if (!m_sound.ReadName(*definition, "ExplodeSound")) {
        m_sound.ReadName(*definition, "Sound");
    }
}

PyxEntityParticleExplosion::PyxEntityParticleExplosion(PyxEntityParticleExplosionType* type)
    : PyxEntityExplosionBase(type) {}

std::shared_ptr<const QxSurface>
PyxEntityParticleExplosion::CaptureImage(PyxEntityGameObject* ball) {
    if (auto* rendered = dynamic_cast<PyxEntityRenderedBall*>(ball)) {
        rendered->RenderImage();
    }
    return PyxObjectImage(ball);
}

bool PyxEntityParticleExplosion::Burst(PyxEntityGameObject* ball) {
    m_particles.clear();
    const std::shared_ptr<const QxSurface> image = CaptureImage(ball);
    if (!image || image->pixels.size() < std::size_t(image->width) * std::size_t(image->height)) {
        return false;
    }
    for (std::int32_t row = 0; row < image->height; ++row) {
        const std::uint16_t* pixels = image->Row(row);
        for (std::int32_t column = 0; column < image->width; ++column) {
            if (pixels[column] == 0) {
                continue;
            }
            if (m_particles.size() >= kMaxParticles) {
                return true;
            }
            PyxBurstParticle particle;
            particle.colour = pixels[column];
            particle.x = ball->DrawX() + column;
            particle.y = ball->DrawY() + row;
            const float u = RandomFloat(1.5f);
            particle.fade = u > 0.5f ? u : 0.5f;
            const float v = RandomFloat(0.5f);
            particle.speed = v > 0.2f ? v : 0.2f;
            particle.directionX = std::cos(float(particle.x));
            particle.directionY = std::sin(float(particle.y));
            m_particles.push_back(particle);
        }
    }
    return true;
}

bool PyxEntityParticleExplosion::Update(float ms) {
    PyxEntityParticleExplosionType* type = ParticleType();
    type->Load(false);
    PyxEntityExplosionBase::Update(ms);
    if (!m_started) {
        m_started = true;
        type->Sound().PlayOnce();
    }
    MarkForRedraw();
    std::erase_if(m_particles, [ms](PyxBurstParticle& p) {
        p.x += BoardPixel(p.directionX * p.speed * ms);
        p.y += BoardPixel(p.directionY * p.speed * ms);
        p.alpha -= BoardPixel(p.fade * ms);
        return p.alpha < 1;
    });
    MarkForRedraw();
    if (m_particles.empty()) {
        AddFlags(kObjectRemoved);
    }
    return true;
}

void PyxEntityParticleExplosion::MarkForRedraw() {
    PyxEntityExplosionBase::MarkForRedraw();
    if (!g_screen || m_particles.empty()) {
        return;
    }
    QxRect area;
    for (const PyxBurstParticle& p : m_particles) {
        PyxGrowRect(area, p.x, p.y);
    }
    g_screen->MarkDirty(area, false);
}

bool PyxEntityParticleExplosion::Draw() {
    if (HasFlags(kObjectRemoved | kObjectLeaving) || m_particles.empty()) {
        return true;
    }
    PyxLockedScreen screen;
    if (!screen.Usable()) {
        return true;
    }
    for (const PyxBurstParticle& p : m_particles) {
        screen.Blend(p.x, p.y, p.colour, p.alpha);
    }
    return true;
}
