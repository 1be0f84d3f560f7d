// Keyed drawing through a surface's key spans against the same drawing pixel by pixel:
// every picture of the data set, every keyed kind of drawing, clipped at each edge, and
// surfaces whose pixels change after their spans were made. A surface drawn while it is
// locked goes pixel by pixel, which is the reference.

#include <algorithm>
#include <cstring>
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include "content/ContentTestSupport.h"
#include "engine/files/QxArchiveManager.h"
#include "engine/files/QxBitmapFile.h"
#include "engine/files/QxFileSystem.h"
#include "engine/files/QxImageListFile.h"
#include "engine/files/QxWin32FileManager.h"
#include "engine/screen/ScreenTestSupport.h"

namespace {

class KeySpans : public screentest::ScreenTest {
protected:
    using Draw = std::function<bool(QxSurfaceHandle)>;

    void SetUp() override {
        ScreenTest::SetUp();
        // A background every channel of which varies, so blends show their arithmetic.
        background.resize(size_t(kW * kH));
        for (size_t i = 0; i < background.size(); ++i) {
            background[i] = uint16_t((i * 2654435761u) >> 17) & 0x7FFF;
        }
    }

    std::vector<uint16_t> DrawnOnBackground(QxSurfaceHandle h, const Draw& draw) {
        QxSurfaceDesc d;
        EXPECT_TRUE(screen.LockBackBuffer(&d));
        for (int y = 0; y < kH; ++y) {
            std::memcpy(d.pixels + y * d.pitch, &background[size_t(y * kW)], size_t(kW) * 2);
        }
        EXPECT_TRUE(draw(h));
        std::vector<uint16_t> out(size_t(kW * kH));
        for (int y = 0; y < kH; ++y) {
            std::memcpy(&out[size_t(y * kW)], d.pixels + y * d.pitch, size_t(kW) * 2);
        }
        screen.UnlockBackBuffer();
        return out;
    }

    // The drawing through the spans equals the drawing with the surface locked.
    void ExpectPlain(QxSurfaceHandle h, const Draw& draw, const std::string& what) {
        const auto spanned = DrawnOnBackground(h, draw);
        QxSurfaceDesc desc;
        ASSERT_TRUE(screen.LockSurface(h, &desc));
        const auto plain = DrawnOnBackground(h, draw);
        ASSERT_TRUE(screen.UnlockSurface(h));
        if (spanned != plain) {
            const auto at = std::mismatch(spanned.begin(), spanned.end(), plain.begin());
            const auto i = at.first - spanned.begin();
            ADD_FAILURE() << what << ": pixel (" << i % kW << ", " << i / kW << ") is " << *at.first
                          << ", pixel by pixel " << *at.second;
        }
    }

    bool HasSpans(QxSurfaceHandle h) {
        const auto s = screen.GetSurface(h);
        return s != nullptr && s->spans.Fit(*s);
    }

    // Every keyed drawing of the surface, at places that clip it at each edge of the back
    // buffer and of a dirty rectangle, and from a part of the picture.
    void ExpectAllPlain(QxSurfaceHandle h, const QxImage& alphaMap, const std::string& name) {
        const auto s = screen.GetSurface(h);
        const int w = s->width;
        const int ht = s->height;
        struct Place {
            const char* what;
            int x, y, sx, sy, w, h;
            bool dirtyInside;
        };
        const int cx = (kW - w) / 2;
        const int cy = (kH - ht) / 2;
        const Place places[] = {
            {"centred", cx, cy, 0, 0, -1, -1, false},
            {"off the left", -w / 2, cy, 0, 0, -1, -1, false},
            {"off the right", kW - w / 2, cy, 0, 0, -1, -1, false},
            {"off the top", cx, -ht / 2, 0, 0, -1, -1, false},
            {"off the bottom", cx, kH - ht / 2, 0, 0, -1, -1, false},
            {"inside a dirty rectangle", cx, cy, 0, 0, -1, -1, true},
            {"from a part", cx, cy, w / 3, ht / 3, w / 3 + 1, ht / 3 + 1, false},
        };
        for (const Place& p : places) {
            screen.ClearDirty();
            if (p.dirtyInside) {
                screen.MarkDirty(QxRect{std::max(0, cx + w / 4), std::min(kW, cx + w - w / 4),
                                        std::max(0, cy + ht / 4), std::min(kH, cy + ht - ht / 4)},
                                 false);
            } else {
                AllDirty();
            }
            const std::string at = name + " " + p.what + " ";
            auto expect = [&](const std::string& kind, const Draw& draw) {
                ExpectPlain(h, draw, at + kind);
            };
            expect("keyed", [&](QxSurfaceHandle hh) {
                return screen.DrawSurface(hh, p.x, p.y, p.sx, p.sy, p.w, p.h, true);
            });
            expect("flipped", [&](QxSurfaceHandle hh) {
                return screen.DrawSurfaceFlipped(*screen.GetSurface(hh), p.x, p.y, p.sx, p.sy, p.w,
                                                 p.h, true);
            });
            for (const uint32_t alpha : {1u, 100u, 255u, 65535u}) {
                expect("blended " + std::to_string(alpha), [&](QxSurfaceHandle hh) {
                    return screen.DrawSurfaceBlended(hh, p.x, p.y, p.sx, p.sy, p.w, p.h, alpha,
                                                     true);
                });
            }
            expect("tinted", [&](QxSurfaceHandle hh) {
                return screen.DrawSurfaceTinted(hh, p.x, p.y, p.sx, p.sy, p.w, p.h, true,
                                                QxColour(200, 90, 255, 180));
            });
            expect("brightened", [&](QxSurfaceHandle hh) {
                return screen.DrawSurfaceBrightened(hh, p.x, p.y, p.sx, p.sy, p.w, p.h, true,
                                                    QxColour(40, 200, 90, 255));
            });
            expect("additive", [&](QxSurfaceHandle hh) {
                return screen.DrawSurfaceAdditive(hh, p.x, p.y, p.sx, p.sy, p.w, p.h, 200);
            });
            expect("alpha-mapped", [&](QxSurfaceHandle hh) {
                return screen.DrawSurfaceAlphaMapped(hh, p.x, p.y, p.sx, p.sy, p.w, p.h, alphaMap);
            });
            expect("alpha-mapped faded", [&](QxSurfaceHandle hh) {
                return screen.DrawSurfaceAlphaMappedFaded(hh, p.x, p.y, p.sx, p.sy, p.w, p.h,
                                                          alphaMap, 150);
            });
            expect("alpha-mapped tinted", [&](QxSurfaceHandle hh) {
                return screen.DrawSurfaceAlphaMappedTinted(hh, p.x, p.y, p.sx, p.sy, p.w, p.h,
                                                           alphaMap, QxColour(255, 128, 0, 200));
            });
            expect("colour alpha-mapped", [&](QxSurfaceHandle hh) {
                return screen.DrawColourAlphaMapped(hh, p.x, p.y, p.sx, p.sy, p.w, p.h, alphaMap,
                                                    QxColour(10, 250, 120, 255));
            });
        }
    }

    static QxImage SyntheticAlpha(int w, int h) {
        QxImage a;
        a.Create(w, h, 8);
        for (size_t i = 0; i < a.pixels.size(); ++i) {
            a.pixels[i] = uint8_t(i * 37 + i / 7);
        }
        return a;
    }

    std::vector<uint16_t> background;
};

TEST_F(KeySpans, EveryPictureOfTheDataSetDrawsAsPixelByPixel) {
    const std::filesystem::path archive = contenttest::ArchivePath();
    if (archive.empty()) {
        GTEST_SKIP() << "no Rondelix.qxa has been built";
    }
    QxFileSystem files;
    files.AddManager(std::make_unique<QxWin32FileManager>(), archive.parent_path().string() + "/");
    auto owned = std::make_unique<QxArchiveManager>(&files, archive.filename().string());
    QxArchiveManager* manager = owned.get();
    files.AddManager(std::move(owned), "");
    std::vector<QxArchiveEntry> entries;
    ASSERT_TRUE(manager->ReadDirectory(entries));

    int pictures = 0;
    for (const QxArchiveEntry& entry : entries) {
        std::vector<QxImage> images(1);
        QxFile* file = files.Open(entry.name, 1 | 4);
        ASSERT_NE(file, nullptr) << entry.name;
        if (!QxBitmapFile::Read(*file, images[0], entry.name)) {
            images.clear();
            QxImageListFile::Read(*file, images, entry.name);
        }
        files.Close(file);
        for (const QxImage& image : images) {
            QxSurfaceHandle h = 0;
            ASSERT_TRUE(screen.CreateSurface(image, &h, 0)) << entry.name;
            ASSERT_TRUE(HasSpans(h)) << entry.name;
            // An 8-bit picture's own bytes are an alpha map of its exact size.
            ExpectAllPlain(
                h, image.bitsPerPixel == 8 ? image : SyntheticAlpha(image.width, image.height),
                entry.name + "/" + image.name);
            ASSERT_TRUE(screen.FreeSurface(h));
            ++pictures;
        }
    }
    EXPECT_GT(pictures, 300);
}

// Pixels changed after the spans were made, by every way there is to change them, draw
// as they now are.
TEST_F(KeySpans, ChangedPixelsNeverDrawWithOldSpans) {
    std::vector<uint16_t> px(size_t(40 * 12));
    for (size_t i = 0; i < px.size(); ++i) {
        px[i] = (i % 11 < 4) ? 0 : uint16_t(0x1000 + i);
    }
    const auto h = AddSurface(40, 12, px);
    const QxImage alpha = SyntheticAlpha(40, 12);
    auto keyed = [&](QxSurfaceHandle hh) {
        return screen.DrawSurface(hh, 3, 5, 0, 0, -1, -1, true);
    };
    auto blended = [&](QxSurfaceHandle hh) {
        return screen.DrawSurfaceBlended(hh, 3, 5, 0, 0, -1, -1, 90, true);
    };
    auto expectBoth = [&](const std::string& what) {
        EXPECT_TRUE(HasSpans(h)) << what;
        ExpectPlain(h, keyed, what);
        ExpectPlain(h, blended, what);
    };
    expectBoth("as adopted");

    // Through a lock: drawn pixel by pixel while locked, by spans made again after.
    QxSurfaceDesc desc;
    ASSERT_TRUE(screen.LockSurface(h, &desc));
    auto* p = reinterpret_cast<uint16_t*>(desc.pixels);
    std::fill(p, p + 40, uint16_t(0x7FFF));
    std::fill(p + 40, p + 80, uint16_t(0));
    const auto lockedDraw = DrawnOnBackground(h, keyed);
    ASSERT_TRUE(screen.UnlockSurface(h));
    EXPECT_EQ(DrawnOnBackground(h, keyed), lockedDraw);
    expectBoth("after a lock");

    // Through EditSurface, with the record grown.
    ASSERT_TRUE(screen.EditSurface(h, [](QxSurface& s) {
        s.Resize(41, 12);
        for (int x = 0; x < 41; x += 3) {
            s.Row(7)[x] = uint16_t(0x2000 + x);
        }
    }));
    expectBoth("after an edit");
    // A locked surface cannot be edited.
    ASSERT_TRUE(screen.LockSurface(h, &desc));
    EXPECT_FALSE(screen.EditSurface(h, [](QxSurface&) {}));
    ASSERT_TRUE(screen.UnlockSurface(h));

    // Halved: the new record has spans of its own.
    ASSERT_TRUE(screen.HalveSurface(h));
    expectBoth("halved");

    // A copy of a record has its own pixels, and draws them, not the original's spans.
    QxSurface copy = *screen.GetSurface(h);
    EXPECT_FALSE(copy.spans.Fit(copy));
    std::fill(copy.pixels.begin(), copy.pixels.end(), uint16_t(0x0421));
    const auto copied = AddSurface(copy.width, copy.height, copy.pixels);
    EXPECT_EQ(
        DrawnOnBackground(
            h, [&](QxSurfaceHandle) { return screen.DrawSurface(copy, 3, 5, 0, 0, -1, -1, true); }),
        DrawnOnBackground(copied, keyed));
}

} // namespace
