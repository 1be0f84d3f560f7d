#pragma once
// An award drawn as an animation (a spinning coin, a pickup). It fades in and out
// through its alpha and can burst into smoke after a delay.

#include <memory>

#include "game/objects/PyxAnimatedType.h"
#include "game/objects/PyxEntityAwardBase.h"

class PyxEntityAnimAward;

class PyxEntityAnimAwardType : public QxEntityTypeOf<PyxEntityAnimAwardType, PyxEntityAnimAward,
                                                     PyxAnimatedType<PyxEntityAwardBaseType>> {
public:
    // Alpha gained or lost per update while fading, and lost while bursting.
    static constexpr std::int32_t kFadeStep = 8;
    static constexpr std::int32_t kBurstFadeStep = 32;
    // The smoke an award bursts into.
    static constexpr const char* kSmokeClass = "PyxAnimExplosion";
    static constexpr const char* kSmokeType = "bigsmoke";

    // Reads the award keys, then "Image", "AlphaImage" and "FrameRate".
    using QxEntityTypeOf::QxEntityTypeOf;
};

class PyxEntityAnimAward : public PyxEntityAwardBase {
public:
    explicit PyxEntityAnimAward(PyxEntityAnimAwardType* type);

    // Advances the animation and runs the state (fading, the delayed burst), then the
    // award update.
    bool Update(float ms) override;
    bool Draw() override;
    // The size of the frame shown (of the first frame when none is).
    void GetSize(std::int32_t& width, std::int32_t& height) override;
    std::uint32_t GetImage() override;

    PyxEntityAnimAwardType* AnimType() const {
        return static_cast<PyxEntityAnimAwardType*>(Type());
    }

private:
    void RunState(float ms);
};

using PyxEntityAnimAwardPrototype = QxTypePrototype<PyxEntityAnimAwardType>;
