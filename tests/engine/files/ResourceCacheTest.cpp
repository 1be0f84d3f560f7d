// The resource cache: case-folded keys, reference counts, release at zero,
// surfaces lost and reloaded, sounds, failures and their log lines.
#include <gtest/gtest.h>

#include <new>

#include "app/QxGlobals.h"
#include "engine/files/MediaTestSupport.h"
#include "engine/files/QxBitmapFile.h"
#include "engine/files/QxFileSystem.h"
#include "engine/files/QxImage.h"
#include "engine/files/QxImageListFile.h"
#include "engine/files/QxResourceCache.h"
#include "engine/screen/QxWin32Screen2D.h"
#include "engine/sound/QxWin32SoundManager.h"
#include "support/ServiceFixture.h"

using namespace mediatest;

namespace {

// A screen whose CreateSurface can be made to fail or throw at a chosen call.
class TestScreen : public QxWin32Screen2D {
public:
    bool CreateSurface(const QxImage& image, QxSurfaceHandle* handle, uint32_t flags) override {
        const int call = m_calls++;
        if (call == failAt)
            return false;
        if (call == throwAt)
            throw std::bad_alloc();
        return QxWin32Screen2D::CreateSurface(image, handle, flags);
    }
    int failAt = -1;
    int throwAt = -1;

private:
    int m_calls = 0;
};

class ThrowingSoundManager : public QxWin32SoundManager {
public:
    int LoadSound(QxFile*, uint32_t*) override { throw std::bad_alloc(); }
};

QxImage Picture(int w, int h, int bits, const char* name = "") {
    QxImage image;
    image.Create(w, h, bits);
    for (size_t i = 0; i < image.pixels.size(); ++i)
        image.pixels[i] = static_cast<uint8_t>(i + 1);
    image.name = name;
    return image;
}

std::vector<uint8_t> BitmapFile(const QxImage& image) {
    return WrittenBy([&](QxBuffer& b) { return QxBitmapFile::Write(b, image); });
}

std::vector<uint8_t> ListFile(const std::vector<QxImage>& frames) {
    return WrittenBy([&](QxBuffer& b) { return QxImageListFile::Write(b, frames); });
}

class ResourceCacheTest : public testsupport::ServiceFixture {
protected:
    ResourceCacheTest() : ServiceFixture("cache", {false, false, true, false, false}) {}
    void SetUp() override {
        ServiceFixture::SetUp();
        auto files = std::make_unique<MemoryFileManager>();
        m_files = files.get();
        Files().AddManager(std::move(files), "");
        QxDisplayMode mode;
        mode.width = 64;
        mode.height = 48;
        mode.format.bitsPerPixel = 16;
        ASSERT_TRUE(m_screen.CreateScreen(&mode, "cache test"));
        g_screen = &m_screen;

        m_files->Add("gfx/ball.bmp", BitmapFile(Picture(3, 2, 8)));
        m_files->Add("gfx/walk.ims", ListFile({Picture(2, 2, 8, "one"), Picture(1, 3, 16, "two"),
                                               Picture(4, 1, 8, "three")}));
        WavShape wav;
        wav.samples = Ramp(100);
        m_files->Add("sfx/bounce.wav", MakeWav(wav));
    }
    void TearDown() override {
        g_screen = nullptr;
        ServiceFixture::TearDown();
    }

    MemoryFileManager* m_files = nullptr;
    TestScreen m_screen;
    QxResourceCache& m_cache = Cache();
    QxWin32SoundManager& m_sound = Sound();
};

} // namespace

TEST_F(ResourceCacheTest, NamesDifferingInCaseShareOneRecordFreedAtZero) {
    QxImageRecord* first = m_cache.GetImage("gfx/ball.bmp", 0);
    ASSERT_NE(first, nullptr);
    m_files->Remove("gfx/ball.bmp"); // the second request must not need the file
    EXPECT_EQ(m_cache.GetImage("GFX/Ball.BMP", 0), first);
    EXPECT_EQ(first->refCount, 2);
    EXPECT_EQ(first->width, 3);
    EXPECT_EQ(first->height, 2);
    EXPECT_EQ(m_cache.ImageCount(), 1u);
    EXPECT_EQ(m_files->OpenCount(), 0u);
    const uint32_t surface = first->surface;
    const std::string key = first->key;
    m_cache.ReleaseImage(key);
    EXPECT_EQ(first->refCount, 1);
    EXPECT_TRUE(m_screen.IsSurfaceValid(surface));
    m_cache.ReleaseImage(key);
    EXPECT_FALSE(m_screen.IsSurfaceValid(surface));
    EXPECT_EQ(m_cache.ImageCount(), 0u);
    m_cache.ReleaseImage(key); // unknown now: ignored
}

TEST_F(ResourceCacheTest, ALostSurfaceIsReloadedIntoTheSameRecordWhileItsFileLasts) {
    QxImageRecord* record = m_cache.GetImage("gfx/ball.bmp", 0);
    const uint32_t old = record->surface;
    m_screen.FreeAllSurfaces();
    EXPECT_EQ(m_cache.GetImage("gfx/ball.bmp", 0), record);
    EXPECT_EQ(record->refCount, 2);
    EXPECT_NE(record->surface, old);
    EXPECT_TRUE(m_screen.IsSurfaceValid(record->surface));
    EXPECT_EQ(m_files->OpenCount(), 0u);
    m_screen.FreeAllSurfaces();
    m_files->Remove("gfx/ball.bmp");
    EXPECT_EQ(m_cache.GetImage("gfx/ball.bmp", 0), nullptr);
    EXPECT_EQ(Log(), "Unable to Find Image gfx/ball.bmp");
    EXPECT_EQ(record->refCount, 2);
}

TEST_F(ResourceCacheTest, MissingEmptyAndDamagedImagesAndListsGiveNoRecord) {
    EXPECT_EQ(m_cache.GetImage("", 0), nullptr);
    EXPECT_EQ(m_cache.GetImageList("", 0), nullptr);
    EXPECT_EQ(Log(), "");
    EXPECT_EQ(m_cache.GetImage("gfx/none.bmp", 0), nullptr);
    std::vector<uint8_t> broken = BitmapFile(Picture(3, 2, 8));
    broken.resize(60);
    m_files->Add("gfx/broken.bmp", broken);
    EXPECT_EQ(m_cache.GetImage("gfx/broken.bmp", 0), nullptr);
    m_files->Add("gfx/text.bmp", {'h', 'i'});
    EXPECT_EQ(m_cache.GetImage("gfx/text.bmp", 0), nullptr);
    EXPECT_EQ(m_cache.GetImageList("gfx/none.ims", 0), nullptr);
    m_files->Add("gfx/future.ims", Bytes().Text("IMST").U32(3).U32(1).U32(0).Get());
    EXPECT_EQ(m_cache.GetImageList("gfx/future.ims", 0), nullptr);
    EXPECT_EQ(Log(), "Unable to open image: gfx/none.bmp\n"
                     "Invalid image: gfx/broken.bmp (palette past the end of the file)\n"
                     "Unable to open image list: gfx/none.ims\n");
    EXPECT_EQ(m_cache.ImageCount(), 0u);
    EXPECT_EQ(m_cache.ImageListCount(), 0u);
    EXPECT_EQ(m_files->OpenCount(), 0u);
}

TEST_F(ResourceCacheTest, AFailureThrownWhileLoadingIsCaughtAndLogged) {
    m_screen.throwAt = 0;
    EXPECT_EQ(m_cache.GetImage("gfx/ball.bmp", 0), nullptr);
    m_screen.throwAt = 2;
    EXPECT_EQ(m_cache.GetImageList("gfx/walk.ims", 0), nullptr);
    EXPECT_EQ(Log(), "An exception occured attempting to load image: gfx/ball.bmp\n"
                     "An exception occured attempting to load image list: gfx/walk.ims\n");
    EXPECT_EQ(m_screen.SurfaceCount(), 0u); // the frames made before were freed
    EXPECT_EQ(m_files->OpenCount(), 0u);
}

TEST_F(ResourceCacheTest, AnImageListGetsOneSurfacePerFrame) {
    QxImageListRecord* plain = m_cache.GetImageList("gfx/walk.ims", 0);
    ASSERT_NE(plain, nullptr);
    ASSERT_EQ(plain->FrameCount(), 3u);
    EXPECT_EQ(plain->frames[1].name, "two");
    EXPECT_EQ(plain->frames[1].width, 1);
    EXPECT_EQ(plain->frames[1].height, 3);
    EXPECT_EQ(plain->frames[2].width, 4);
    for (const QxImageListFrame& frame : plain->frames)
        EXPECT_TRUE(m_screen.IsSurfaceValid(frame.surface));
    EXPECT_EQ(m_cache.GetImageList("GFX/Walk.ims", 0), plain);
}

TEST_F(ResourceCacheTest, ALaterFrameWithoutSurfaceIsMarkedFailedAndReleaseFreesTheRest) {
    m_screen.failAt = 0;
    EXPECT_EQ(m_cache.GetImageList("gfx/walk.ims", 0), nullptr); // not without its first frame
    m_screen.failAt = 2;
    QxImageListRecord* list = m_cache.GetImageList("gfx/walk.ims", 0);
    ASSERT_NE(list, nullptr);
    ASSERT_EQ(list->FrameCount(), 3u);
    EXPECT_EQ(list->frames[1].surface, QxResourceCache::kFailedSurface);
    EXPECT_EQ(list->frames[1].width, 0);
    EXPECT_EQ(list->frames[1].height, 0);
    EXPECT_TRUE(m_screen.IsSurfaceValid(list->frames[2].surface));
    m_cache.ReleaseImageList(list->key);
    EXPECT_EQ(m_screen.SurfaceCount(), 0u);
    EXPECT_EQ(m_cache.ImageListCount(), 0u);
}

TEST_F(ResourceCacheTest, ALostListIsReloadedFrameByFrame) {
    QxImageListRecord* list = m_cache.GetImageList("gfx/walk.ims", 0);
    m_screen.FreeAllSurfaces();
    EXPECT_EQ(m_cache.GetImageList("gfx/walk.ims", 0), list);
    EXPECT_EQ(list->refCount, 2);
    ASSERT_EQ(list->FrameCount(), 3u);
    for (const QxImageListFrame& frame : list->frames)
        EXPECT_TRUE(m_screen.IsSurfaceValid(frame.surface));
    m_screen.FreeAllSurfaces();
    m_files->Remove("gfx/walk.ims");
    EXPECT_EQ(m_cache.GetImageList("gfx/walk.ims", 0), nullptr);
    EXPECT_EQ(Log(), "Unable to Find Image gfx/walk.ims");
}

TEST_F(ResourceCacheTest, SoundFailuresGiveNoRecord) {
    EXPECT_EQ(m_cache.GetSound("sfx/none.wav"), nullptr);
    EXPECT_EQ(Log(), "Unable to open sound: sfx/none.wav\n");
    m_files->Add("sfx/bad.wav", Bytes().Text("RIFF").U32(4).Text("WAVE").Get());
    EXPECT_EQ(m_cache.GetSound("sfx/bad.wav"), nullptr);
    EXPECT_EQ(m_cache.SoundCount(), 0u);
    g_soundManager = nullptr;
    EXPECT_EQ(m_cache.GetSound("sfx/bounce.wav"), nullptr);
    ThrowingSoundManager throwing;
    g_soundManager = &throwing;
    LogCapture log;
    EXPECT_EQ(m_cache.GetSound("sfx/bounce.wav"), nullptr);
    EXPECT_EQ(log.Text(), "Exception occured while opening sound: sfx/bounce.wav\n");
    EXPECT_EQ(m_files->OpenCount(), 0u);
    g_soundManager = &m_sound;
}
