#include "game/objects/PyxEntityBallBase.h"

#include <algorithm>
#include <cmath>
#include <vector>

#include "app/QxRandom.h"
#include "engine/entity/QxDefinition.h"
#include "game/field/PyxEntityTileBase.h"
#include "game/field/PyxLevel.h"
#include "game/objects/PyxEntityAwardBase.h"
#include "game/objects/PyxEntityCharacterBall.h"
#include "game/objects/PyxEntityPickupBall.h"
#include "game/objects/PyxEntityPostBase.h"
#include "game/objects/PyxGameEvents.h"

namespace {

// Hint the rules show when the player's ball first hits a gear.
constexpr std::int32_t kGearHint = 6;
// A wall or post hit puts this face on a character ball for a while.
constexpr std::int32_t kHitExpression = 2;
constexpr float kHitExpressionMs = 300.0f;

constexpr const char* kSoundKeys[PyxEntityBallBaseType::kSoundCount] = {
    "RollSound", "HitWallSound", "HitGearSound", "HitBallSound", "TurnSound", "LoseCoinsSound"};

bool IsOfKind(const PyxEntityGameObject* object, std::uint32_t kind) {
    return object && object->Type() && object->Type()->IsKind(kind);
}

// A reflected direction snapped back to an axis; (0, 0) when it points along neither.
PyxVector SnapToAxis(PyxVector d) {
    if (d.x > 0.5f) {
        return {1.0f, 0.0f};
    }
    if (d.x < -0.5f) {
        return {-1.0f, 0.0f};
    }
    if (d.y > 0.5f) {
        return {0.0f, 1.0f};
    }
    if (d.y < -0.5f) {
        return {0.0f, -1.0f};
    }
    return {0.0f, 0.0f};
}

// Pixels to travel on one axis this update: never negative, never endless.
float Travel(float component, float speed, float ms) {
    const float distance = std::fabs(component) * speed * ms;
    if (!(distance > 0.0f)) {
        return 0.0f;
    }
    return std::min(distance, PyxEntityBallBase::kMaxTravel);
}

} // namespace

// ---- type -------------------------------------------------------------------------

PyxEntityBallBaseType::PyxEntityBallBaseType(QxDefinition* definition)
    : QxEntityTypeOf(definition) {
    AddParts({&m_rollLoop});
    for (PyxTypeSound& sound : m_sounds) {
        AddParts({&sound});
    }
    SetDefaultHeight(kDefaultHeight);
    SetTypeFlags(TypeFlags() | kTypeBall);
    if (!definition) {
        return;
    }
    for (int i = 0; i < kSoundCount; ++i) {
        m_sounds[i].ReadName(*definition, kSoundKeys[i]);
    }
}

// ---- ball -------------------------------------------------------------------------

PyxEntityBallBase::PyxEntityBallBase(PyxEntityBallBaseType* type) : PyxEntityGameObject(type) {}

bool PyxEntityBallBase::Update(float ms) {
    PyxEntityBallBaseType* type = BallType();
    type->Load(false);
    float remainingX = Travel(m_direction.x, m_speed, ms);
    float remainingY = Travel(m_direction.y, m_speed, ms);

    EaseSpeed();

    if (m_rolling) {
        const PyxTypeSound& roll = type->GetSound(PyxEntityBallBaseType::kRollSound);
        if (roll.IsLoaded() && !type->RollLoop().IsPlaying()) {
            type->RollLoop().Start(roll, RollVolume());
        }
    }

    if (m_direction != m_previousDirection && m_speed == kTopSpeed) {
        if (std::fabs(RandomFloat(1.0f)) < 0.25f) {
            type->PlaySound(PyxEntityBallBaseType::kTurnSound);
        }
    }

    while (remainingX > 0.0f || remainingY > 0.0f) {
        MoveSubStep(remainingX, remainingY);
    }

    m_previousDirection = m_direction;
    return PyxEntityGameObject::Update(ms);
}

void PyxEntityBallBase::EaseSpeed() {
    if (m_rolling) {
        if (m_targetSpeed > m_speed) {
            m_speed += kEaseStep;
            if (m_targetSpeed > m_speed) {
                m_speed += kEaseStep;
            } else {
                m_speed = m_targetSpeed;
            }
        }
    } else if (m_speed > 0.0f) {
        m_speed -= m_speed * kCoastLoss;
        if (m_speed > 0.0f) {
            m_speed -= m_speed * kCoastLoss;
        } else {
            m_speed = 0.0f;
        }
    }
}

void PyxEntityBallBase::MoveSubStep(float& remainingX, float& remainingY) {
    const float stepX = std::min(remainingX, kMaxSubStep);
    m_x += m_direction.x * stepX;
    remainingX -= stepX;
    const float stepY = std::min(remainingY, kMaxSubStep);
    m_y += m_direction.y * stepY;
    remainingY -= stepY;

    KeepInside();
    if (PyxLevel* level = Level()) {
        level->TurnBallTo(this, m_direction.x, m_direction.y, kSnapTolerance);
    }
    if (m_shape) {
        m_shape->SetCentre(m_x, m_y);
    }
    FollowCell();
    ScanForCollisions();
}

void PyxEntityBallBase::KeepInside() {
    const PyxLevel* level = Level();
    if (!level) {
        return;
    }
    const QxRect& inner = level->InnerRect();
    if (m_x >= float(inner.right)) {
        m_x = float(inner.right - 1);
    }
    if (m_x < float(inner.left)) {
        m_x = float(inner.left);
    }
    if (m_y >= float(inner.bottom)) {
        m_y = float(inner.bottom - 1);
    }
    if (m_y < float(inner.top)) {
        m_y = float(inner.top);
    }
}

void PyxEntityBallBase::FollowCell() {
    PyxLevel* level = Level();
    if (!level) {
        return;
    }
    const std::int32_t index = level->TileIndexAt(m_x, m_y);
    if (index == m_cell) {
        return;
    }
    if (PyxEntityTileBase* from = level->TileAt(m_cell)) {
        from->RemoveObject(this);
    }
    PyxEntityTileBase* to = level->TileAt(index);
    if (to) {
        to->AddObject(this);
    }
    if (to && GameEvents()) {
        GameEvents()->OnBallEnteredTile(this, to);
    }
    m_cell = index;
}

int PyxEntityBallBase::ScanCells(std::int32_t col, std::int32_t row, PyxVector d,
                                 std::int32_t (&cols)[5], std::int32_t (&rows)[5]) {
    cols[0] = col;
    rows[0] = row;
    // Offsets of the four cells ahead, for travel to the right; the other directions
    // are this pattern turned.
    struct Ahead {
        std::int32_t along;
        std::int32_t across;
    };
    static constexpr Ahead kAhead[4] = {{1, 0}, {2, 0}, {1, 1}, {1, -1}};
    std::int32_t ax = 0; // unit vector along the travel
    std::int32_t ay = 0;
    std::int32_t cx = 0; // unit vector across it, as the pattern lists the sides
    std::int32_t cy = 0;
    if (d.x > 0.0f) {
        ax = 1;
        cy = 1;
    } else if (d.x < 0.0f) {
        ax = -1;
        cy = -1;
    } else if (d.y > 0.0f) {
        ay = 1;
        cx = -1;
    } else if (d.y < 0.0f) {
        ay = -1;
        cx = 1;
    } else {
        return 1;
    }
    for (int i = 0; i < 4; ++i) {
        cols[i + 1] = col + ax * kAhead[i].along + cx * kAhead[i].across;
        rows[i + 1] = row + ay * kAhead[i].along + cy * kAhead[i].across;
    }
    return 5;
}

void PyxEntityBallBase::ScanForCollisions() {
    const PyxLevel* level = Level();
    if (!level || level->Columns() <= 0 || level->Rows() <= 0 || level->TileWidth() <= 0 ||
        level->TileHeight() <= 0) {
        return;
    }
    std::int32_t col = 0;
    std::int32_t row = 0;
    if (m_cell >= 0 && m_cell < level->CellCount()) {
        col = m_cell % level->Columns();
        row = m_cell / level->Columns();
    } else {
        col = std::int32_t(std::floor(m_x / float(level->TileWidth())));
        row = std::int32_t(std::floor(m_y / float(level->TileHeight())));
    }
    std::int32_t cols[5];
    std::int32_t rows[5];
    const int count = ScanCells(col, row, m_direction, cols, rows);
    std::vector<PyxEntityGameObject*> listed;
    for (int i = 0; i < count; ++i) {
        const PyxEntityTileBase* tile = level->TileAtCell(cols[i], rows[i]);
        if (!tile) {
            continue;
        }
        // Responses may add objects to the lists (effects, grabs): walk a copy.
        listed.assign(tile->Objects().begin(), tile->Objects().end());
        for (PyxEntityGameObject* other : listed) {
            CollideWith(other);
        }
    }
}

void PyxEntityBallBase::CollideWith(PyxEntityGameObject* other) {
    if (!other || other == this) {
        return;
    }
    if (!other->Blocks(ObjectType())) {
        return;
    }
    if (other->HasFlags(kObjectRemoved | kObjectLeaving) || !other->HasFlags(kObjectActive)) {
        return;
    }
    const PyxBlockShape* mine = GetShape();
    const PyxBlockShape* theirs = other->GetShape();
    if (!mine || !theirs || !mine->Intersects(*theirs)) {
        return;
    }
    const PyxVector normal = other->CollisionNormal(this);
    if (!(m_direction.x * normal.x + m_direction.y * normal.y < 0.0f)) {
        return;
    }
    Bounce(other, normal);
}

void PyxEntityBallBase::Bounce(PyxEntityGameObject* other, PyxVector normal) {
    PyxEntityBallBaseType* type = BallType();
    PyxGameEvents* events = GameEvents();

    if (IsOfKind(other, kKindAward) && !IsOfKind(this, kKindPickupBall)) {
        // The award decides with the rules whether it is taken; the ball rolls on.
        if (auto* award = dynamic_cast<PyxEntityAwardBase*>(other)) {
            award->Touched(this);
        }
        return;
    }
    if (IsOfKind(other, kKindBall)) {
        if (events && events->OnBallsTouch(this, other)) {
            if (type) {
                type->PlaySound(PyxEntityBallBaseType::kHitBallSound);
            }
            m_direction = {-m_direction.x, -m_direction.y};
        }
        return;
    }

    auto* post = IsOfKind(other, kKindPost) ? dynamic_cast<PyxEntityPostBase*>(other) : nullptr;
    if (post && post->IsGear()) {
        if (type) {
            type->PlaySound(PyxEntityBallBaseType::kHitGearSound);
        }
        if (HasFlags(kObjectPlayer) && events) {
            events->ShowHint(kGearHint);
        }
    } else if (type) {
        type->PlaySound(PyxEntityBallBaseType::kHitWallSound);
    }
    if (IsOfKind(this, kKindCharacterBall)) {
        if (auto* face = dynamic_cast<PyxEntityCharacterBall*>(this)) {
            face->SetExpression(kHitExpression, kHitExpressionMs);
        }
    }

    const PyxVector n{-normal.x, -normal.y};
    const float d = 2.0f * (n.x * m_direction.x + n.y * m_direction.y);
    m_direction = SnapToAxis({m_direction.x - d * n.x, m_direction.y - d * n.y});
}

void PyxEntityBallBase::CopyPlacement(std::uint32_t flags, PyxEntityGameObject* other) {
    if (flags & kCopyMotion) {
        if (const auto* ball = dynamic_cast<const PyxEntityBallBase*>(other)) {
            m_direction = ball->m_direction;
            m_targetSpeed = ball->m_targetSpeed;
            m_speed = ball->m_speed;
            m_rolling = ball->m_rolling;
        }
    }
    PyxEntityGameObject::CopyPlacement(flags, other);
}

void PyxEntityBallBase::Stop() {
    m_rolling = 0;
    if (PyxEntityBallBaseType* type = BallType()) {
        type->RollLoop().Stop();
    }
    if (PyxGameEvents* events = GameEvents()) {
        events->SetAmbientLevels(0.0f, 0.0f);
    }
}

void PyxEntityBallBase::HoldSounds(bool hold) {
    if (PyxEntityBallBaseType* type = BallType()) {
        type->RollLoop().Hold(hold);
    }
}

void PyxEntityBallBase::Start() {
    m_rolling = 1;
}

void PyxEntityBallBase::SpeedUp() {
    if (m_speed < kTopSpeed) {
        m_speed = std::min(m_speed * 1.03f, kTopSpeed);
    }
    if (PyxEntityBallBaseType* type = BallType()) {
        type->RollLoop().SetVolume(RollVolume());
    }
}

void PyxEntityBallBase::SlowDown() {
    if (m_speed > kLowSpeed) {
        m_speed = std::max(m_speed * 0.98f, kLowSpeed);
    }
    if (PyxEntityBallBaseType* type = BallType()) {
        type->RollLoop().SetVolume(RollVolume());
    }
}

float PyxEntityBallBase::RollVolume() const {
    if (!(m_targetSpeed != 0.0f)) {
        return 0.0f;
    }
    return m_speed / m_targetSpeed;
}

void PyxEntityBallBase::PlayLoseCoinsSound() {
    if (PyxEntityBallBaseType* type = BallType()) {
        type->Load(false);
        type->PlaySound(PyxEntityBallBaseType::kLoseCoinsSound);
    }
}
