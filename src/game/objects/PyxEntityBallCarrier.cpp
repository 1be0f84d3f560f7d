#include "game/objects/PyxEntityBallCarrier.h"

#include "app/QxGlobals.h"
#include "engine/entity/QxDefinition.h"
#include "engine/entity/QxEntityRegistry.h"
#include "engine/files/QxLog.h"
#include "game/objects/PyxEntityBallBase.h"
#include "game/objects/PyxEntityCharacterBall.h"
#include "game/objects/PyxGameEvents.h"
#include "game/objects/QxTrajectoryLine.h"

PyxEntityBallCarrierType::PyxEntityBallCarrierType(QxDefinition* definition)
    : QxEntityTypeOf(definition) {
    AddParts({&m_moveSound, &m_dropSound});
    if (!definition) {
        return;
    }
    m_moveSound.ReadName(*definition, "MoveSound");
    m_dropSound.ReadName(*definition, "DropSound");
    if (!(Animation().frameRate > 0.0f)) {
        LogPrintf("PyxBallCarrier: frame rate %g never opens the claw; it opens at once.",
                  double(Animation().frameRate));
    }
}

PyxEntityBallCarrier::PyxEntityBallCarrier(PyxEntityBallCarrierType* type)
    : PyxEntityAnimExplosion(type) {
    // The claw stays shut while it carries; it opens when it drops.
    StopPlaying();
}

bool PyxEntityBallCarrier::SetCargo(const std::string& className, const std::string& typeName) {
    m_cargo.reset();
    if (!g_registry) {
        return false;
    }
    m_cargo = g_registry->Create(className, typeName, kKindAny);
    if (!m_cargo) {
        return false;
    }
    if (auto* object = dynamic_cast<PyxEntityGameObject*>(m_cargo.get())) {
        object->ClearFlags(kObjectInFrame);
        object->AddFlags(kObjectActive);
    }
    if (m_cargo->Type()->IsKind(kKindCharacterBall)) {
        if (auto* character = dynamic_cast<PyxEntityCharacterBall*>(m_cargo.get())) {
            character->SetExpression(kCargoExpression, kCargoExpressionMs);
        }
    }
    HangCargo();
    return true;
}

bool PyxEntityBallCarrier::CarryTo(float x, float y) {
    const float clawY = y - PyxEntityBallCarrierType::kCargoOffsetY;
    const float clawX = x - PyxEntityBallCarrierType::kCargoOffsetX;
    std::unique_ptr<QxTrajectoryBase> way =
        MakeLineTrajectory(clawX, kOffBoardY, clawX, clawY, kSpacing, true);
    if (!way) {
        return false;
    }
    way->SetParameter(QxTrajectoryBase::kSpeed, kSpeed);
    way->SetEasing(true, kMaxSpeed, kAcceleration, kDeceleration);
    m_x = clawX;
    m_y = kOffBoardY;
    FollowCentre();
    SetTrajectory(std::move(way));
    m_state = kCarrying;
    m_movePlayed = false;
    m_dropPlayed = false;
    SetFrame(0.0f);
    StopPlaying();
    ClearFlags(kObjectRemoved | kObjectLeaving);
    HangCargo();
    return true;
}

void PyxEntityBallCarrier::HangCargo() {
    auto* object = dynamic_cast<PyxEntityGameObject*>(m_cargo.get());
    if (!object) {
        return;
    }
    object->SetPosition(m_x + PyxEntityBallCarrierType::kCargoOffsetX,
                        m_y + PyxEntityBallCarrierType::kCargoOffsetY);
    object->Update(0.0f);
}

bool PyxEntityBallCarrier::Update(float ms) {
    if (HasFlags(kObjectRemoved)) {
        return true;
    }
    PyxEntityBallCarrierType* type = CarrierType();
    type->Load(false);
    PyxEntityAnimExplosion::Update(ms);
    PyxGameEvents* events = GameEvents();

    switch (m_state) {
    case kCarrying:
        HangCargo();
        if (ms != 0.0f && !m_movePlayed) {
            m_movePlayed = true;
            type->MoveSound().PlayOnce();
        }
        if (events) {
            events->SetReleaseCountdown(kHeldCountdown);
        }
        // Without a way to follow the claw has arrived.
        if (!m_trajectory || m_trajectory->Progress() >= 1.0f) {
            m_state = kDropping;
            StartPlaying();
        }
        break;
    case kDropping:
        if (ms != 0.0f && !m_dropPlayed) {
            m_dropPlayed = true;
            type->DropSound().PlayOnce();
        }
        if (Frame() >= float(FrameCount() - 1) || !(type->Animation().frameRate > 0.0f)) {
            Drop();
        }
        break;
    case kLeaving:
        if (!m_trajectory || m_trajectory->Progress() >= 1.0f) {
            AddFlags(kObjectRemoved);
        }
        break;
    default:
        break;
    }
    return true;
}

void PyxEntityBallCarrier::Drop() {
    PyxGameEvents* events = GameEvents();
    if (PyxEntityGameObject* player = events ? events->PlayerBall() : nullptr) {
        player->AddFlags(kObjectActiveBoth);
        if (auto* ball = dynamic_cast<PyxEntityBallBase*>(player)) {
            ball->Start();
        }
    }
    if (events) {
        events->OnPlayerBallLanded();
        events->SetReleaseCountdown(0.0f);
    }
    Leave();
    if (events) {
        events->ShowHint(events->GameMode() == kHintMode ? kModeHint : kDefaultHint);
    }
    m_state = kLeaving;
}

void PyxEntityBallCarrier::Leave() {
    std::unique_ptr<QxTrajectoryBase> way =
        MakeLineTrajectory(m_x, m_y, m_x, kOffBoardY, kSpacing, true);
    if (way) {
        way->SetParameter(QxTrajectoryBase::kSpeed, kSpeed);
        way->SetEasing(true, kMaxSpeed, kAcceleration, kDeceleration);
    }
    SetTrajectory(std::move(way));
}

bool PyxEntityBallCarrier::Draw() {
    if (HasFlags(kObjectRemoved | kObjectLeaving)) {
        return true;
    }
    if (m_state != kLeaving && m_cargo) {
        m_cargo->Draw();
    }
    DrawFrame(FrameIndex(), m_alpha);
    return true;
}
