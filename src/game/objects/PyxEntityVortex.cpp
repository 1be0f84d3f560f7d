#include "game/objects/PyxEntityVortex.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

#include "app/QxGlobals.h"
#include "app/QxRandom.h"
#include "engine/entity/QxDefinition.h"
#include "engine/files/QxLog.h"
#include "engine/screen/QxScreen2D.h"
#include "game/objects/PyxEntityBallBase.h"
#include "game/objects/PyxEntityExplosionSupport.h"
#include "game/objects/PyxEntityRenderedBall.h"

namespace {

// Brightness steps along an arm, radius growth per point, and where the reach of the
// drawing is capped.
constexpr float kBrightnessStep = 1.055f;
constexpr float kRadiusGrowth = 1.16f;
constexpr float kFirstRadius = 0.1f;
constexpr std::int32_t kMaxReach = 4096;

} // namespace

PyxEntityVortexType::PyxEntityVortexType(QxDefinition* definition) : QxEntityTypeOf(definition) {
    SetDefaultHeight(kDefaultHeight);
    if (!definition) {
        return;
    }
    definition->ReadKey("NumberArms", m_numberArms);
    definition->ReadKey("ArmLength", m_armLength);
    definition->ReadKey("ArmSpacing", m_armSpacing);
    definition->ReadKey("NumberParticles", m_numberParticles);
    definition->ReadKey("Speed", m_speed);
    const std::int32_t arms = std::clamp(m_numberArms, 0, kMaxArms);
    const std::int32_t length = std::clamp(m_armLength, 0, kMaxArmLength);
    const std::int32_t particles = std::clamp(m_numberParticles, 0, kMaxParticles);
    if (arms != m_numberArms || length != m_armLength || particles != m_numberParticles) {
        LogPrintf("PyxVortex: arms %d, arm length %d and particles %d held to %d, %d and %d.",
                  m_numberArms, m_armLength, m_numberParticles, arms, length, particles);
    }
    m_numberArms = arms;
    m_armLength = length;
    m_numberParticles = particles;
    // Particles that do not move inwards would never drain, and the vortex would never
    // let its ball roll.
    if (!(m_speed > 0.0f) || !std::isfinite(m_speed)) {
        LogPrintf("PyxVortex: speed %g is no speed; 1 is used.", double(m_speed));
        m_speed = 1.0f;
    }
}

std::vector<PyxEntityVortexType::ArmPoint>
PyxEntityVortexType::BuildArmTable(std::int32_t arms, std::int32_t length, float spacing) {
    std::vector<ArmPoint> table;
    if (arms <= 0 || length <= 0) {
        return table;
    }
    table.reserve(std::size_t(arms) * std::size_t(length));
    for (std::int32_t a = 0; a < arms; ++a) {
        float angle = float(a) * kTwoPi / float(arms);
        float radius = kFirstRadius;
        float brightness = 1.0f;
        for (std::int32_t i = 0; i < length; ++i) {
            ArmPoint point;
            point.x = BoardPixel(radius * std::cos(angle));
            point.y = BoardPixel(radius * std::sin(angle));
            brightness *= kBrightnessStep;
            point.radius = radius;
            if (brightness <= 255.0f) {
                brightness *= kBrightnessStep;
                point.alpha = 255 - std::int32_t(brightness);
            } else {
                point.alpha = 0;
            }
            table.push_back(point);
            radius *= kRadiusGrowth;
            angle += spacing;
        }
    }
    return table;
}

std::vector<PyxEntityVortexType::Direction> PyxEntityVortexType::BuildCircleTable() {
    std::vector<Direction> table(kRingPositions);
    for (std::int32_t i = 0; i < kRingPositions; ++i) {
        const float angle = float(i) * kTwoPi / float(kRingPositions);
        table[std::size_t(i)] = {std::cos(angle), std::sin(angle)};
    }
    return table;
}

bool PyxEntityVortexType::Load(bool reload) {
    if (IsLoaded() && !reload) {
        return true;
    }
    if (m_arms.empty()) {
        m_arms = BuildArmTable(m_numberArms, m_armLength, m_armSpacing);
    }
    if (m_circle.empty()) {
        m_circle = BuildCircleTable();
    }
    std::int64_t reach = std::int64_t(kMaxRingRadius);
    for (const ArmPoint& point : m_arms) {
        reach =
            std::max({reach, std::int64_t(std::llabs(point.x)), std::int64_t(std::llabs(point.y))});
    }
    m_reach = std::int32_t(std::min<std::int64_t>(reach + 2, kMaxReach));
    return PyxEntityGameObjectType::Load(reload);
}

PyxEntityVortex::PyxEntityVortex(PyxEntityVortexType* type)
    : PyxEntityGameObject(type), m_armParticles(std::size_t(type ? type->NumberParticles() : 0)) {}

void PyxEntityVortex::SetTarget(PyxEntityGameObject* ball) {
    m_target = ball;
    if (ball && ball->Type()) {
        ball->Type()->Load(false);
    }
}

PyxEntityGameObject* PyxEntityVortex::LiveTarget() {
    if (m_target && !PyxObjectStillOnBoard(this, m_target)) {
        m_target = nullptr;
    }
    return m_target;
}

bool PyxEntityVortex::Update(float ms) {
    if (HasFlags(kObjectRemoved)) {
        return true;
    }
    PyxEntityVortexType* type = VortexType();
    type->Load(false);

    bool finished = m_state == kFading;
    if (MoveArmParticles()) {
        finished = false;
    }
    GrowRing();
    MoveRingParticles();
    if (m_state == kFading) {
        m_alpha = std::max(0, m_alpha - kFadeStep);
    }
    if (finished) {
        Finish();
    }
    if (m_ringSize >= PyxEntityVortexType::kMaxRingRadius && m_state == kForming) {
        m_state = kFormed;
    }
    return PyxEntityGameObject::Update(ms);
}

bool PyxEntityVortex::MoveArmParticles() {
    const PyxEntityVortexType* type = VortexType();
    const std::int32_t count = type->NumberParticles();
    const std::int32_t limit = count < 80 ? 1 : count / 40;
    const std::int32_t length = type->ArmLength();
    const float speed = type->Speed();
    std::int32_t started = 0;
    bool busy = false;
    for (ArmParticle& slot : m_armParticles) {
        if (slot.distance <= 0.0f) {
            if (started < limit && m_state == kForming) {
                // The last arm carries no particles.
                const std::int32_t arm = random(type->NumberArms() - 1);
                slot.distance = float((arm + 1) * length);
                slot.speed = speed + speed * RandomFloat(0.2f);
                slot.arm = arm;
                ++started;
            }
        } else {
            slot.speed = std::min(slot.speed * kArmAcceleration, kMaxArmSpeed);
            slot.distance -= slot.speed;
            if (BoardPixel(slot.distance) < slot.arm * length) {
                slot.distance = 0.0f;
            }
        }
        if (slot.distance > 0.0f) {
            busy = true;
        }
    }
    return busy;
}

void PyxEntityVortex::GrowRing() {
    if (!(m_ringSize < PyxEntityVortexType::kMaxRingRadius)) {
        return;
    }
    const float speed = VortexType()->Speed();
    const std::int32_t count = std::int32_t(m_ringSize);
    for (std::int32_t i = 0; i < count; ++i) {
        RingParticle particle;
        particle.position = std::fabs(RandomFloat(float(PyxEntityVortexType::kRingPositions)));
        particle.radius = m_ringSize;
        particle.step = speed + speed * RandomFloat(0.2f);
        m_ringParticles.push_back(particle);
    }
    m_ringSize = std::min(m_ringSize * kRingGrowth, PyxEntityVortexType::kMaxRingRadius);
}

void PyxEntityVortex::MoveRingParticle(RingParticle& particle) {
    if (particle.step < kMaxRingStep) {
        particle.step *= kRingAcceleration;
    }
    particle.position += particle.step;
    if (particle.position >= float(PyxEntityVortexType::kRingPositions)) {
        particle.position = 0.0f;
    }
}

void PyxEntityVortex::MoveRingParticles() {
    for (RingParticle& particle : m_ringParticles) {
        MoveRingParticle(particle);
    }
}

void PyxEntityVortex::Finish() {
    AddFlags(kObjectRemoved);
    if (PyxEntityGameObject* ball = LiveTarget()) {
        ball->AddFlags(kObjectInFrame | kObjectReleased);
        if (auto* rolling = dynamic_cast<PyxEntityBallBase*>(ball)) {
            rolling->Start();
        }
    }
    m_target = nullptr;
}

bool PyxEntityVortex::HandOverBall() {
    if (m_state != kFormed) {
        return false;
    }
    if (PyxEntityGameObject* ball = LiveTarget()) {
        ball->AddFlags(kObjectActive);
        ball->Update(0.0f);
    }
    m_state = kFading;
    return true;
}

bool PyxEntityVortex::Draw() {
    if (HasFlags(kObjectRemoved)) {
        return true;
    }
    const PyxEntityVortexType* type = VortexType();

    // The ring takes its colours from the ball's picture, rendered where the ball is.
    std::shared_ptr<const QxSurface> image;
    if (PyxEntityGameObject* ball = LiveTarget()) {
        std::int32_t width = 0;
        std::int32_t height = 0;
        ball->GetSize(width, height);
        if (width != 0 && height != 0) {
            ball->ComputeDrawPosition(width, height);
        }
        if (auto* rendered = dynamic_cast<PyxEntityRenderedBall*>(ball)) {
            rendered->RenderImage();
        }
        image = PyxObjectImage(ball);
    }

    PyxLockedScreen screen;
    if (!screen.Usable()) {
        return true;
    }
    const std::vector<PyxEntityVortexType::ArmPoint>& arms = type->ArmTable();
    const std::uint16_t white = screen.White();
    for (const ArmParticle& slot : m_armParticles) {
        if (slot.distance <= 0.0f) {
            continue;
        }
        const std::int32_t index = BoardPixel(slot.distance);
        if (index < 0 || std::size_t(index) >= arms.size()) {
            continue;
        }
        const PyxEntityVortexType::ArmPoint& point = arms[std::size_t(index)];
        screen.BlendPlus(m_drawX + point.x, m_drawY + point.y, white, point.alpha);
    }

    const std::vector<PyxEntityVortexType::Direction>& circle = type->CircleTable();
    for (const RingParticle& particle : m_ringParticles) {
        const std::int32_t index = BoardPixel(particle.position);
        if (index < 0 || std::size_t(index) >= circle.size()) {
            continue;
        }
        const std::int32_t dx = BoardPixel(particle.radius * circle[std::size_t(index)].x);
        const std::int32_t dy = BoardPixel(particle.radius * circle[std::size_t(index)].y);
        std::uint16_t colour = white;
        if (image) {
            const std::int32_t sx = dx + image->width / 2;
            const std::int32_t sy = dy + image->height / 2;
            if (sx < 0 || sy < 0 || sx >= image->width || sy >= image->height) {
                continue;
            }
            colour = image->Row(sy)[sx];
        }
        screen.BlendPlus(m_drawX + dx, m_drawY + dy, colour, m_alpha);
    }
    return true;
}

void PyxEntityVortex::GetSize(std::int32_t& width, std::int32_t& height) {
    width = 1;
    height = 1;
}

bool PyxEntityVortex::Blocks(const PyxEntityGameObjectType*) {
    return false;
}

void PyxEntityVortex::MarkForRedraw() {
    if (!g_screen) {
        return;
    }
    const std::int32_t reach = VortexType()->Reach();
    g_screen->MarkDirty(
        {m_drawX - reach, m_drawX + reach + 1, m_drawY - reach, m_drawY + reach + 1}, false);
}
