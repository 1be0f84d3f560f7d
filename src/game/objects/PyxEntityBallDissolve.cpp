#include "game/objects/PyxEntityBallDissolve.h"

#include <algorithm>
#include <utility>

#include "app/QxGlobals.h"
#include "app/QxRandom.h"
#include "engine/entity/QxDefinition.h"
#include "engine/screen/QxScreen2D.h"
#include "game/objects/PyxEntityExplosionSupport.h"

PyxEntityBallDissolveType::PyxEntityBallDissolveType(QxDefinition* definition)
    : QxEntityTypeOf(definition) {
    AddParts({&m_sound});
    SetDefaultHeight(kDefaultHeight);
    if (definition) {
        m_sound.ReadName(*definition, "Sound");
    }
}

bool PyxEntityBallDissolveType::Load(bool reload) {
    if (IsLoaded() && !reload) {
        return true;
    }
    if (m_order.empty()) {
        std::vector<std::pair<std::int32_t, std::int32_t>> keyed(kPositions);
        for (std::int32_t i = 0; i < kPositions; ++i) {
            keyed[std::size_t(i)] = {random(65535), i};
        }
        std::stable_sort(keyed.begin(), keyed.end(),
                         [](const auto& a, const auto& b) { return a.first < b.first; });
        m_order.reserve(kPositions);
        for (const auto& entry : keyed) {
            m_order.push_back(entry.second);
        }
    }
    return PyxEntityGameObjectType::Load(reload);
}

PyxEntityBallDissolve::PyxEntityBallDissolve(PyxEntityBallDissolveType* type)
    : PyxEntityGameObject(type) {}

bool PyxEntityBallDissolve::SetUp(PyxEntityGameObject* ball, std::int32_t argument) {
    m_ball = ball;
    m_argument = argument;
    m_particles.clear();
    PyxEntityBallDissolveType* type = DissolveType();
    type->Load(false);
    FollowBall();
    const std::shared_ptr<const QxSurface> image = PyxObjectImage(ball);
    if (!image) {
        return false;
    }
    const std::int32_t side = PyxEntityBallDissolveType::kSide;
    for (const std::int32_t position : type->Order()) {
        const std::int32_t column = position % side;
        const std::int32_t row = position / side;
        if (column >= image->width || row >= image->height) {
            continue;
        }
        const std::uint16_t pixel = image->Row(row)[column];
        if (pixel == 0) {
            continue;
        }
        Particle particle;
        particle.colour = pixel;
        particle.x = column - image->width / 2;
        particle.y = row - image->height / 2;
        particle.fade = std::max(kMinFade, random(64));
        m_particles.push_back(particle);
    }
    return true;
}

void PyxEntityBallDissolve::FollowBall() {
    if (m_ball && !PyxObjectStillOnBoard(this, m_ball)) {
        m_ball = nullptr;
    }
    if (!m_ball) {
        return;
    }
    std::int32_t width = 0;
    std::int32_t height = 0;
    m_ball->GetSize(width, height);
    m_centreX = m_ball->DrawX() + width / 2;
    m_centreY = m_ball->DrawY() + height / 2;
}

bool PyxEntityBallDissolve::Update(float ms) {
    if (HasFlags(kObjectRemoved)) {
        return true;
    }
    PyxEntityBallDissolveType* type = DissolveType();
    type->Load(false);
    if (!m_soundPlayed) {
        m_soundPlayed = true;
        type->Sound().PlayOnce();
    }
    MarkForRedraw();
    FollowBall();
    std::size_t released = 0;
    for (Particle& particle : m_particles) {
        if (!particle.attached) {
            continue;
        }
        if (released == kReleasePerUpdate) {
            break;
        }
        particle.x += m_centreX;
        particle.y += m_centreY;
        particle.attached = false;
        ++released;
    }
    std::erase_if(m_particles, [](Particle& particle) {
        if (particle.attached) {
            return false;
        }
        particle.alpha -= particle.fade;
        return particle.alpha < 1;
    });
    if (m_particles.empty()) {
        AddFlags(kObjectRemoved);
    }
    return PyxEntityGameObject::Update(ms);
}

bool PyxEntityBallDissolve::Draw() {
    if (HasFlags(kObjectRemoved) || m_particles.empty()) {
        return true;
    }
    FollowBall();
    PyxLockedScreen screen;
    if (!screen.Usable()) {
        return true;
    }
    for (const Particle& particle : m_particles) {
        const std::int32_t x = particle.attached ? particle.x + m_centreX : particle.x;
        const std::int32_t y = particle.attached ? particle.y + m_centreY : particle.y;
        screen.BlendPlus(x, y, particle.colour, particle.alpha);
    }
    return true;
}

bool PyxEntityBallDissolve::Blocks(const PyxEntityGameObjectType*) {
    return false;
}

void PyxEntityBallDissolve::MarkForRedraw() {
    PyxEntityGameObject::MarkForRedraw();
    if (!g_screen || m_particles.empty()) {
        return;
    }
    QxRect area;
    for (const Particle& particle : m_particles) {
        const std::int32_t x = particle.attached ? particle.x + m_centreX : particle.x;
        const std::int32_t y = particle.attached ? particle.y + m_centreY : particle.y;
        PyxGrowRect(area, x - 1, y - 1);
        PyxGrowRect(area, x + 1, y + 1);
    }
    g_screen->MarkDirty(area, false);
}
