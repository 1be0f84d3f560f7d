// The software screen's blits against SDL2's SDL_BlitSurface on the same RGB555
// pixels, and memcpy of one 640 x 480 x 2 frame as the floor.
//
// Pictures: a 56 x 56 sprite (a disc, transparent corners) and a full 640 x 480
// surface (a busy pattern with about one pixel in eight transparent, in short runs).
// The whole back buffer is dirty, so nothing is clipped away.
//
// The same blits also run over the pictures of the built data set (every bitmap and
// every frame of every image list in the Rondelix.qxa beside this program, or in the
// folder RONDELIX_DATA names), each drawn once per iteration at the top-left corner, so
// that the comparison holds for the runs of transparency real sprites have.

#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include <benchmark/benchmark.h>

#include "engine/files/QxArchiveManager.h"
#include "engine/files/QxBitmapFile.h"
#include "engine/files/QxImage.h"
#include "engine/files/QxImageListFile.h"
#include "engine/files/QxWin32FileManager.h"
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

// Every picture of the data set as a surface of the bench's screen, with the alpha
// image that belongs to it where there is one ("x.imst" frames take "x_a.img").
struct DataSet {
    struct Picture {
        QxSurfaceHandle handle = 0;
        const QxImage* alpha = nullptr;
    };
    std::vector<Picture> pictures;
    std::vector<QxImage> alphas;
    std::vector<std::shared_ptr<const QxSurface>> surfaces;

    static std::string ArchivePath() {
        if (const char* folder = std::getenv("RONDELIX_DATA")) {
            return (std::filesystem::path(folder) / "Rondelix.qxa").string();
        }
        std::error_code ec;
        return (std::filesystem::read_symlink("/proc/self/exe", ec).parent_path() / "Rondelix.qxa")
            .string();
    }
    static bool EndsWith(const std::string& s, const char* tail) {
        const size_t n = std::strlen(tail);
        return s.size() >= n && s.compare(s.size() - n, n, tail) == 0;
    }

    explicit DataSet(QxScreen2D& screen) {
        QxWin32FileManager disk;
        QxArchiveManager archive(&disk, ArchivePath());
        std::vector<QxArchiveEntry> entries;
        if (!archive.ReadDirectory(entries)) {
            return;
        }
        // Alpha images first, so that pictures can point at them (the vector is not
        // resized afterwards).
        std::vector<std::pair<std::string, std::vector<QxImage>>> alphaLists;
        for (const QxArchiveEntry& entry : entries) {
            if (EndsWith(entry.name, "_a.img")) {
                std::vector<QxImage> frames;
                if (Read(archive, entry.name, frames)) {
                    alphaLists.emplace_back(entry.name.substr(0, entry.name.size() - 6),
                                            std::move(frames));
                }
            }
        }
        size_t alphaCount = 0;
        for (const auto& list : alphaLists) {
            alphaCount += list.second.size();
        }
        alphas.reserve(alphaCount);
        for (const QxArchiveEntry& entry : entries) {
            std::vector<QxImage> images(1);
            const std::vector<QxImage>* alphaFrames = nullptr;
            if (EndsWith(entry.name, ".bmp")) {
                QxFile* file = archive.Open(entry.name, QxFileManager::kModeReadBinary);
                const bool read =
                    file != nullptr && QxBitmapFile::Read(*file, images[0], entry.name);
                if (file != nullptr) {
                    archive.Close(file);
                }
                if (!read) {
                    continue;
                }
            } else if (EndsWith(entry.name, ".imst")) {
                if (!Read(archive, entry.name, images)) {
                    continue;
                }
                const std::string stem = entry.name.substr(0, entry.name.size() - 5);
                for (const auto& list : alphaLists) {
                    if (list.first == stem && list.second.size() == images.size()) {
                        alphaFrames = &list.second;
                    }
                }
            } else {
                continue;
            }
            for (size_t i = 0; i < images.size(); ++i) {
                Picture picture;
                if (!screen.CreateSurface(images[i], &picture.handle, 0)) {
                    continue;
                }
                if (alphaFrames != nullptr) {
                    alphas.push_back((*alphaFrames)[i]);
                    picture.alpha = &alphas.back();
                }
                surfaces.push_back(screen.GetSurface(picture.handle));
                pictures.push_back(picture);
            }
        }
    }
    static bool Read(QxArchiveManager& archive, const std::string& name,
                     std::vector<QxImage>& frames) {
        QxFile* file = archive.Open(name, QxFileManager::kModeReadBinary);
        const bool read = file != nullptr && QxImageListFile::Read(*file, frames, name);
        if (file != nullptr) {
            archive.Close(file);
        }
        return read && !frames.empty();
    }
    static DataSet& Get() {
        static DataSet set(Bench::Get().screen);
        return set;
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

// ---- the data set's pictures ---------------------------------------------------------

// Each picture once per iteration, its top-left corner at the screen's.
template <class Draw> void DataSetRun(benchmark::State& state, Draw&& draw) {
    Bench& b = Bench::Get();
    const DataSet& set = DataSet::Get();
    if (set.pictures.empty()) {
        state.SkipWithError("no data set: build it or set RONDELIX_DATA");
        return;
    }
    for (auto _ : state) {
        for (size_t i = 0; i < set.pictures.size(); ++i) {
            const QxSurface& s = *set.surfaces[i];
            draw(b.screen, set.pictures[i], s.originX, s.originY);
        }
        benchmark::ClobberMemory();
    }
    state.SetItemsProcessed(state.iterations() * int64_t(set.pictures.size()));
    state.counters["pictures"] = double(set.pictures.size());
}

void BM_Screen_DataSetKeyed(benchmark::State& state) {
    DataSetRun(state, [](QxScreen2D& screen, const DataSet::Picture& p, int x, int y) {
        screen.DrawSurface(p.handle, x, y, 0, 0, -1, -1, true);
    });
}
BENCHMARK(BM_Screen_DataSetKeyed);

void BM_Screen_DataSetBlendedKeyed(benchmark::State& state) {
    DataSetRun(state, [](QxScreen2D& screen, const DataSet::Picture& p, int x, int y) {
        screen.DrawSurfaceBlended(p.handle, x, y, 0, 0, -1, -1, 128, true);
    });
}
BENCHMARK(BM_Screen_DataSetBlendedKeyed);

// The balls and the other sprites drawn through their alpha images.
void BM_Screen_DataSetAlphaMapped(benchmark::State& state) {
    DataSetRun(state, [](QxScreen2D& screen, const DataSet::Picture& p, int x, int y) {
        if (p.alpha != nullptr) {
            screen.DrawSurfaceAlphaMapped(p.handle, x, y, 0, 0, -1, -1, *p.alpha);
        }
    });
}
BENCHMARK(BM_Screen_DataSetAlphaMapped);

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
    SDL_Rect first = at;
    SDL_BlitSurface(src, nullptr, p.dest, &first); // makes the run-length copy, untimed
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
// The reference for the blended keyed blit: SDL's fastest form of it.
void BM_SDL_BlitAlphaModRle_Sprite56(benchmark::State& s) {
    SdlBlit(s, false, true, true, 128);
}
BENCHMARK(BM_SDL_BlitAlphaModRle_Sprite56);
void BM_SDL_BlitAlphaModRle_Full(benchmark::State& s) {
    SdlBlit(s, true, true, true, 128);
}
BENCHMARK(BM_SDL_BlitAlphaModRle_Full);

// The data set's pictures, wrapped around the very pixels our screen draws.
struct SdlDataSet {
    std::vector<SDL_Surface*> pictures;
    SdlDataSet() {
        for (const auto& s : DataSet::Get().surfaces) {
            // SDL only reads a source surface's pixels.
            auto& pixels = const_cast<std::vector<uint16_t>&>(s->pixels);
            pictures.push_back(SdlPictures::Wrap(pixels, s->width, s->height));
        }
    }
    static SdlDataSet& Get() {
        static SdlDataSet set;
        return set;
    }
};

void SdlDataSetBlit(benchmark::State& state, int alpha) {
    SdlPictures& p = SdlPictures::Get();
    SdlDataSet& set = SdlDataSet::Get();
    if (set.pictures.empty()) {
        state.SkipWithError("no data set: build it or set RONDELIX_DATA");
        return;
    }
    // Setting the mode drops SDL's run-length copy; one blit outside the timing makes
    // it again, as the surface would have it in a game.
    for (SDL_Surface* s : set.pictures) {
        SdlPictures::Mode(s, true, true, alpha);
        SDL_Rect r{0, 0, 0, 0};
        SDL_BlitSurface(s, nullptr, p.dest, &r);
    }
    for (auto _ : state) {
        for (SDL_Surface* s : set.pictures) {
            SDL_Rect r{0, 0, 0, 0};
            SDL_BlitSurface(s, nullptr, p.dest, &r);
        }
        benchmark::ClobberMemory();
    }
    state.SetItemsProcessed(state.iterations() * int64_t(set.pictures.size()));
}
void BM_SDL_DataSetKeyedRle(benchmark::State& s) {
    SdlDataSetBlit(s, 255);
}
BENCHMARK(BM_SDL_DataSetKeyedRle);
void BM_SDL_DataSetAlphaModRle(benchmark::State& s) {
    SdlDataSetBlit(s, 128);
}
BENCHMARK(BM_SDL_DataSetAlphaModRle);

#endif

} // namespace
