// The software screen's blits against SDL2's SDL_BlitSurface on the same RGB555
// pixels, and memcpy of one 640 x 480 x 2 frame as the floor.
//
// Pictures: a 56 x 56 sprite (a disc, transparent corners) and a full 640 x 480
// surface (a busy pattern with about one pixel in eight transparent, in short runs).
// The whole back buffer is dirty, so nothing is clipped away.

#include <cstdint>
#include <cstring>
#include <memory>
#include <vector>

#include <benchmark/benchmark.h>

#include "engine/files/QxImage.h"
#include "engine/screen/QxWin32Screen2D.h"

#ifdef RONDELIX_BENCH_SDL2
#include <SDL.h>
#endif

namespace {

constexpr int kW = 640;
constexpr int kH = 480;
constexpr int kSprite = 56;

std::vector<uint16_t> SpritePixels() {
    std::vector<uint16_t> px(size_t(kSprite * kSprite), 0);
    const int r = kSprite / 2;
    for (int y = 0; y < kSprite; ++y) {
        for (int x = 0; x < kSprite; ++x) {
            const int dx = 2 * x + 1 - kSprite;
            const int dy = 2 * y + 1 - kSprite;
            if (dx * dx + dy * dy <= 4 * r * r) {
                px[size_t(y * kSprite + x)] = uint16_t(((x * 37 + y * 11) & 0x7FFF) | 0x0421);
            }
        }
    }
    return px;
}

std::vector<uint16_t> FramePixels() {
    std::vector<uint16_t> px(size_t(kW * kH));
    uint32_t seed = 12345;
    for (size_t i = 0; i < px.size(); ++i) {
        seed = seed * 1664525u + 1013904223u;
        px[i] = uint16_t((seed >> 9) & 0x7FFF) | 1;
    }
    // Transparent runs of 1 to 16 pixels, about an eighth of the frame.
    for (size_t i = 0; i < px.size();) {
        seed = seed * 1664525u + 1013904223u;
        i += 64 + (seed >> 26);
        const size_t run = 1 + ((seed >> 8) & 15);
        for (size_t k = 0; k < run && i + k < px.size(); ++k) {
            px[i + k] = 0;
        }
        i += run;
    }
    return px;
}

// One screen shared by the benchmarks, with the whole back buffer dirty.
struct Bench {
    QxWin32Screen2D screen;
    QxSurfaceHandle sprite = 0;
    QxSurfaceHandle frame = 0;
    QxSurfaceHandle half = 0;
    QxImage spriteAlpha;

    Bench() {
        QxDisplayMode mode;
        mode.width = kW;
        mode.height = kH;
        mode.format.bitsPerPixel = 16;
        screen.CreateScreen(&mode, "bench");
        sprite = Add(kSprite, kSprite, SpritePixels());
        frame = Add(kW, kH, FramePixels());
        auto hp = FramePixels();
        hp.resize(size_t(kW * kH / 4));
        half = Add(kW / 2, kH / 2, hp);
        spriteAlpha.Create(kSprite, kSprite, 8);
        for (size_t i = 0; i < spriteAlpha.pixels.size(); ++i) {
            spriteAlpha.pixels[i] = uint8_t(i * 7);
        }
        Dirty();
    }
    QxSurfaceHandle Add(int w, int h, std::vector<uint16_t> px) {
        auto s = std::make_unique<QxSurface>();
        s->width = w;
        s->height = h;
        s->pixels = std::move(px);
        QxSurfaceHandle handle = 0;
        screen.AdoptSurface(std::move(s), &handle);
        return handle;
    }
    void Dirty() {
        screen.ClearDirty();
        screen.MarkDirty(QxRect{0, kW, 0, kH}, false);
    }
    static Bench& Get() {
        static Bench b;
        return b;
    }
};

void Sprites(benchmark::State& state) {
    state.SetItemsProcessed(state.iterations());
}
void Frames(benchmark::State& state) {
    state.SetItemsProcessed(state.iterations());
}

// ---- the screen ---------------------------------------------------------------------

void BM_Screen_DrawSurfaceKeyed_Sprite56(benchmark::State& state) {
    Bench& b = Bench::Get();
    for (auto _ : state) {
        b.screen.DrawSurface(b.sprite, 300, 200, 0, 0, -1, -1, true);
        benchmark::ClobberMemory();
    }
    Sprites(state);
}
BENCHMARK(BM_Screen_DrawSurfaceKeyed_Sprite56);

// The fixed cost of one call: lock, handle look-up, clipping.
void BM_Screen_DrawSurfaceKeyed_OnePixel(benchmark::State& state) {
    Bench& b = Bench::Get();
    for (auto _ : state) {
        b.screen.DrawSurface(b.sprite, 300, 200, 28, 28, 1, 1, true);
        benchmark::ClobberMemory();
    }
}
BENCHMARK(BM_Screen_DrawSurfaceKeyed_OnePixel);

void BM_Screen_DrawSurfaceKeyed_Full(benchmark::State& state) {
    Bench& b = Bench::Get();
    for (auto _ : state) {
        b.screen.DrawSurface(b.frame, 0, 0, 0, 0, -1, -1, true);
        benchmark::ClobberMemory();
    }
    Frames(state);
}
BENCHMARK(BM_Screen_DrawSurfaceKeyed_Full);

void BM_Screen_DrawSurfaceUnkeyed_Full(benchmark::State& state) {
    Bench& b = Bench::Get();
    for (auto _ : state) {
        b.screen.DrawSurface(b.frame, 0, 0, 0, 0, -1, -1, false);
        benchmark::ClobberMemory();
    }
    Frames(state);
}
BENCHMARK(BM_Screen_DrawSurfaceUnkeyed_Full);

void BM_Screen_DrawSurfaceBlended_Sprite56(benchmark::State& state) {
    Bench& b = Bench::Get();
    const bool keyed = state.range(0) != 0;
    for (auto _ : state) {
        b.screen.DrawSurfaceBlended(b.sprite, 300, 200, 0, 0, -1, -1, 128, keyed);
        benchmark::ClobberMemory();
    }
    Sprites(state);
}
BENCHMARK(BM_Screen_DrawSurfaceBlended_Sprite56)->ArgName("keyed")->Arg(1)->Arg(0);

void BM_Screen_DrawSurfaceBlended_Full(benchmark::State& state) {
    Bench& b = Bench::Get();
    const bool keyed = state.range(0) != 0;
    for (auto _ : state) {
        b.screen.DrawSurfaceBlended(b.frame, 0, 0, 0, 0, -1, -1, 128, keyed);
        benchmark::ClobberMemory();
    }
    Frames(state);
}
BENCHMARK(BM_Screen_DrawSurfaceBlended_Full)->ArgName("keyed")->Arg(1)->Arg(0);

void BM_Screen_DrawSurfaceAlphaMapped_Sprite56(benchmark::State& state) {
    Bench& b = Bench::Get();
    for (auto _ : state) {
        b.screen.DrawSurfaceAlphaMapped(b.sprite, 300, 200, 0, 0, -1, -1, b.spriteAlpha);
        benchmark::ClobberMemory();
    }
    Sprites(state);
}
BENCHMARK(BM_Screen_DrawSurfaceAlphaMapped_Sprite56);

void BM_Screen_FillRectAlpha_Full(benchmark::State& state) {
    Bench& b = Bench::Get();
    for (auto _ : state) {
        b.screen.FillRect(QxRect{0, kW, 0, kH}, QxColour(40, 80, 160, 96));
        benchmark::ClobberMemory();
    }
    Frames(state);
}
BENCHMARK(BM_Screen_FillRectAlpha_Full);

void BM_Screen_TintRect_Full(benchmark::State& state) {
    Bench& b = Bench::Get();
    for (auto _ : state) {
        // Tinting by white at full alpha keeps the frame from fading to black.
        b.screen.TintRect(0, 0, kW, kH, QxColour(255, 255, 255));
        benchmark::ClobberMemory();
    }
    Frames(state);
}
BENCHMARK(BM_Screen_TintRect_Full);

void BM_Screen_DrawSurfaceScaled_HalfToFull(benchmark::State& state) {
    Bench& b = Bench::Get();
    for (auto _ : state) {
        b.screen.DrawSurfaceScaled(b.half, 0, 0, kW, kH, 0, 0, -1, -1, true);
        benchmark::ClobberMemory();
    }
    Frames(state);
}
BENCHMARK(BM_Screen_DrawSurfaceScaled_HalfToFull);

void BM_Screen_Present_Full(benchmark::State& state) {
    Bench& b = Bench::Get();
    for (auto _ : state) {
        b.screen.MarkDirty(QxRect{0, kW, 0, kH}, false);
        b.screen.Present();
        benchmark::ClobberMemory();
    }
    b.Dirty();
    Frames(state);
}
BENCHMARK(BM_Screen_Present_Full);

// ---- the floor ----------------------------------------------------------------------

void BM_Memcpy_Frame(benchmark::State& state) {
    std::vector<uint16_t> src = FramePixels();
    std::vector<uint16_t> dst(src.size());
    for (auto _ : state) {
        std::memcpy(dst.data(), src.data(), src.size() * 2);
        benchmark::DoNotOptimize(dst.data());
        benchmark::ClobberMemory();
    }
    Frames(state);
}
BENCHMARK(BM_Memcpy_Frame);

// ---- the peer -----------------------------------------------------------------------

#ifdef RONDELIX_BENCH_SDL2

struct SdlPictures {
    std::vector<uint16_t> spritePx = SpritePixels();
    std::vector<uint16_t> framePx = FramePixels();
    std::vector<uint16_t> destPx = std::vector<uint16_t>(size_t(kW * kH), 0x1234);
    SDL_Surface* sprite = Wrap(spritePx, kSprite, kSprite);
    SDL_Surface* frame = Wrap(framePx, kW, kH);
    SDL_Surface* dest = Wrap(destPx, kW, kH);

    static SDL_Surface* Wrap(std::vector<uint16_t>& px, int w, int h) {
        return SDL_CreateRGBSurfaceWithFormatFrom(px.data(), w, h, 16, w * 2,
                                                  SDL_PIXELFORMAT_RGB555);
    }
    // Key 0, optionally run-length accelerated; alpha modulation (blend) or none.
    static void Mode(SDL_Surface* s, bool keyed, bool rle, int alpha) {
        SDL_SetColorKey(s, keyed ? SDL_TRUE : SDL_FALSE, 0);
        SDL_SetSurfaceRLE(s, rle ? 1 : 0);
        SDL_SetSurfaceAlphaMod(s, Uint8(alpha));
        SDL_SetSurfaceBlendMode(s, alpha < 255 ? SDL_BLENDMODE_BLEND : SDL_BLENDMODE_NONE);
    }
    static SdlPictures& Get() {
        static SdlPictures p;
        return p;
    }
};

void SdlBlit(benchmark::State& state, bool full, bool keyed, bool rle, int alpha) {
    SdlPictures& p = SdlPictures::Get();
    SDL_Surface* src = full ? p.frame : p.sprite;
    SdlPictures::Mode(src, keyed, rle, alpha);
    SDL_Rect at{full ? 0 : 300 - kSprite / 2, full ? 0 : 200 - kSprite / 2, 0, 0};
    for (auto _ : state) {
        SDL_Rect r = at;
        SDL_BlitSurface(src, nullptr, p.dest, &r);
        benchmark::ClobberMemory();
    }
    state.SetItemsProcessed(state.iterations());
}

void BM_SDL_BlitKeyed_Sprite56(benchmark::State& s) {
    SdlBlit(s, false, true, false, 255);
}
BENCHMARK(BM_SDL_BlitKeyed_Sprite56);
void BM_SDL_BlitKeyedRle_Sprite56(benchmark::State& s) {
    SdlBlit(s, false, true, true, 255);
}
BENCHMARK(BM_SDL_BlitKeyedRle_Sprite56);
void BM_SDL_BlitKeyed_Full(benchmark::State& s) {
    SdlBlit(s, true, true, false, 255);
}
BENCHMARK(BM_SDL_BlitKeyed_Full);
void BM_SDL_BlitKeyedRle_Full(benchmark::State& s) {
    SdlBlit(s, true, true, true, 255);
}
BENCHMARK(BM_SDL_BlitKeyedRle_Full);
void BM_SDL_BlitUnkeyed_Full(benchmark::State& s) {
    SdlBlit(s, true, false, false, 255);
}
BENCHMARK(BM_SDL_BlitUnkeyed_Full);
void BM_SDL_BlitAlphaMod_Sprite56(benchmark::State& s) {
    SdlBlit(s, false, s.range(0) != 0, false, 128);
}
BENCHMARK(BM_SDL_BlitAlphaMod_Sprite56)->ArgName("keyed")->Arg(1)->Arg(0);
void BM_SDL_BlitAlphaMod_Full(benchmark::State& s) {
    SdlBlit(s, true, s.range(0) != 0, false, 128);
}
BENCHMARK(BM_SDL_BlitAlphaMod_Full)->ArgName("keyed")->Arg(1)->Arg(0);

#endif

} // namespace
