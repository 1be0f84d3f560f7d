// One frame of the particle fire (move the particles, burn and cool the heat, blit it):
// the main menu's title fire (420 x 100, a dozen particles, blended over the
// background) and a fire covering the whole screen with a hot edge and many particles
// (opaque), against the budget of a frame (well under 10 ms for the whole menu).

#include <memory>
#include <string>

#include <benchmark/benchmark.h>

#include "app/QxGlobals.h"
#include "app/QxRandom.h"
#include "engine/entity/QxDefinition.h"
#include "engine/gui/QxEntity2DGUIPFire.h"
#include "engine/screen/QxWin32Screen2D.h"

namespace {

struct FireBench {
    QxWin32Screen2D screen;

    FireBench() {
        QxDisplayMode mode;
        mode.width = 640;
        mode.height = 480;
        mode.format.bitsPerPixel = 16;
        screen.CreateScreen(&mode, "bench");
        screen.MarkDirty(QxRect{0, 640, 0, 480}, true);
        g_screen = &screen;
    }
    static FireBench& Get() {
        static FireBench bench;
        return bench;
    }
};

struct Fire {
    std::unique_ptr<QxDefinition> definition;
    std::unique_ptr<QxEntity2DGUIPFireType> type;
    std::unique_ptr<QxEntityBase> entity;

    explicit Fire(const std::string& keys) {
        SeedRandom(1);
        definition = std::make_unique<QxDefinition>("class PFire\ntype bench\n" + keys);
        type = std::make_unique<QxEntity2DGUIPFireType>(definition.get());
        entity = type->CreateEntity();
    }
    QxEntity2DGUIPFire& Get() { return static_cast<QxEntity2DGUIPFire&>(*entity); }
};

void RunFrames(benchmark::State& state, Fire& fire) {
    // Warm up, so the heat buffer holds a burning fire rather than a cold one.
    for (int i = 0; i < 60; ++i) {
        fire.Get().Update(20.0f);
        fire.Get().Draw();
    }
    for (auto _ : state) {
        fire.Get().Update(20.0f);
        fire.Get().Draw();
        benchmark::ClobberMemory();
    }
    state.SetItemsProcessed(state.iterations());
}

// The menu's fire is fed by a burn image of the lettering; a hot edge stands in for it
// here, keeping as much of the buffer burning (cold groups of pixels cost little).
void BM_Fire_MenuTitle(benchmark::State& state) {
    FireBench::Get();
    Fire fire("Width 420\nHeight 100\nTransparent 1\nNumParticles 12\nGravTime 0\n"
              "Gravity 0.06\nKickStrength 0.6\nBounceEnergy 0.9\nRandEffectChance 40\n"
              "BurnFade 18\nBurnEdges 1\n");
    fire.Get().SetPosition(QxPoint{110, 0});
    RunFrames(state, fire);
}
BENCHMARK(BM_Fire_MenuTitle);

void BM_Fire_FullScreen(benchmark::State& state) {
    FireBench::Get();
    Fire fire("Width 640\nHeight 480\nNumParticles 600\nBurnEdges 1\nBurnFade 4\n"
              "RandEffectChance 4\nGravTime 2000\n");
    RunFrames(state, fire);
}
BENCHMARK(BM_Fire_FullScreen);

} // namespace
