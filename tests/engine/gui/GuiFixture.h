#pragma once
// A test fixture for GUI code: the services the toolkit reaches through the globals,
// built fresh for every test over a temporary folder.
//
//   - a 640 x 480 16-bit screen on the headless binding (g_screen), its whole area
//     marked dirty before each test so drawing is not clipped away;
//   - a file system over the test's folder "data/" (the thread's current one);
//   - a settings store under the folder, so log lines land in "log.txt" there;
//   - the resource cache (g_resourceCache) and a headless sound manager
//     (g_soundManager);
//   - a registry with every class of the program's registration table (g_registry);
//   - the shared mouse at (0, 0) with the button up; no tooltip scene named.
//
// Helpers write definition files, bitmaps and other files into the folder, define types
// from text, create elements, move the mouse and read screen pixels back.
//
//     class MyTest : public GuiFixture {};
//     TEST_F(MyTest, Draws) {
//         WriteBitmap("red.bmp", SolidImage(4, 4, QxColour(255, 0, 0)));
//         Define("class sprite\ntype red\nimage red.bmp\n");
//         auto sprite = CreateElement<QxEntity2DGUISprite>("sprite", "red");
//         sprite->Draw();
//         EXPECT_EQ(Pixel(0, 0), Rgb555(QxColour(255, 0, 0)));
//     }

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <memory>
#include <string>
#include <system_error>
#include <vector>

#include <gtest/gtest.h>

#include "app/QxGlobals.h"
#include "app/QxMouseState.h"
#include "app/QxWin32SettingsManager.h"
#include "engine/entity/QxDefinition.h"
#include "engine/entity/QxEntityBase.h"
#include "engine/entity/QxEntityRegistry.h"
#include "engine/entity/QxRegistrationTable.h"
#include "engine/files/QxBitmapFile.h"
#include "engine/files/QxFile.h"
#include "engine/files/QxFileSystem.h"
#include "engine/files/QxImage.h"
#include "engine/files/QxImageListFile.h"
#include "engine/files/QxResourceCache.h"
#include "engine/files/QxWin32FileManager.h"
#include "engine/gui/QxEntity2DGUIElement.h"
#include "engine/screen/QxPng.h"
#include "engine/screen/QxWin32Screen2D.h"
#include "engine/sound/QxWin32SoundManager.h"
#include "platform/headless/Headless.h"

class GuiFixture : public testing::Test {
protected:
    static constexpr int kScreenWidth = 640;
    static constexpr int kScreenHeight = 480;

    void SetUp() override {
        root_ = FreshFolder();
        platform::headless::SetRoot(root_);
        platform::headless::ClearSpecialFolderOverrides();
        settings_ = std::make_unique<QxWin32SettingsManager>("Quillfern Studio", "Rondelix");
        g_settingsManager = settings_.get();

        screen_ = std::make_unique<QxWin32Screen2D>();
        QxDisplayMode mode;
        mode.width = kScreenWidth;
        mode.height = kScreenHeight;
        mode.format.bitsPerPixel = 16;
        mode.fullScreen = false;
        ASSERT_TRUE(screen_->CreateScreen(&mode, "GUI test"));
        g_screen = screen_.get();

        fileSystem_ = std::make_unique<QxFileSystem>();
        fileSystem_->AddManager(std::make_unique<QxWin32FileManager>(), DataFolder());
        SetCurrentFileSystem(fileSystem_.get());

        sound_ = std::make_unique<QxWin32SoundManager>();
        sound_->InitSound(8);
        g_soundManager = sound_.get();

        cache_ = std::make_unique<QxResourceCache>();
        g_resourceCache = cache_.get();

        registry_ = std::make_unique<QxEntityRegistry>();
        ASSERT_TRUE(RegisterEntityClasses(*registry_));
        g_registry = registry_.get();

        g_mouseState = QxMouseState{};
        QxEntity2DGUIElement::SetTooltipScene(nullptr);
        DirtyAll();
    }

    void TearDown() override {
        QxEntity2DGUIElement::SetTooltipScene(nullptr);
        g_mouseState = QxMouseState{};
        // Types release their images and sounds while the cache and the screen exist.
        registry_.reset();
        g_registry = nullptr;
        cache_.reset();
        g_resourceCache = nullptr;
        sound_.reset();
        g_soundManager = nullptr;
        SetCurrentFileSystem(nullptr);
        fileSystem_.reset();
        screen_.reset();
        g_screen = nullptr;
        settings_.reset();
        g_settingsManager = nullptr;
        platform::headless::SetRoot("");
    }

    // ---- files ----------------------------------------------------------------------

    std::string Root() const { return root_; }
    std::string DataFolder() const { return root_ + "/data/"; }

    void WriteFile(const std::string& name, const std::string& bytes) const {
        const std::filesystem::path path = DataFolder() + name;
        std::error_code ec;
        std::filesystem::create_directories(path.parent_path(), ec);
        std::ofstream out(path, std::ios::binary | std::ios::trunc);
        out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    }

    // Writes the image as a bitmap file (8, 16, 24 or 32 bits).
    void WriteBitmap(const std::string& name, const QxImage& image) const {
        WriteFile(name, "");
        QxFile* file = fileSystem_->Open(name, 2 | 4);
        ASSERT_NE(file, nullptr) << name;
        const bool written = QxBitmapFile::Write(*file, image);
        fileSystem_->Close(file);
        ASSERT_TRUE(written) << name;
    }

    // Writes the frames as an image-list file (8-bit frames, or 15/16-bit ones).
    void WriteImageList(const std::string& name, const std::vector<QxImage>& frames) const {
        WriteFile(name, "");
        QxFile* file = fileSystem_->Open(name, 2 | 4);
        ASSERT_NE(file, nullptr) << name;
        const bool written = QxImageListFile::Write(*file, frames);
        fileSystem_->Close(file);
        ASSERT_TRUE(written) << name;
    }

    // An 8-bit picture of one colour (palette entry 1), named for image lists.
    static QxImage SolidImage8(int width, int height, QxColour colour,
                               const std::string& name = "frame") {
        QxImage image;
        image.Create(width, height, 8);
        image.palette[1] = colour;
        std::fill(image.pixels.begin(), image.pixels.end(), std::uint8_t{1});
        image.name = name;
        return image;
    }

    // A 24-bit picture of one colour.
    static QxImage SolidImage(int width, int height, QxColour colour) {
        QxImage image;
        image.Create(width, height, 24);
        for (int y = 0; y < height; ++y) {
            for (int x = 0; x < width; ++x) {
                SetImagePixel(image, x, y, colour);
            }
        }
        return image;
    }

    // Sets one pixel of a 24-bit picture.
    static void SetImagePixel(QxImage& image, int x, int y, QxColour colour) {
        std::uint8_t* p = image.Row(y) + static_cast<std::size_t>(x) * 3;
        p[0] = colour.blue;
        p[1] = colour.green;
        p[2] = colour.red;
    }

    // An 8-bit picture whose bytes are one value: an alpha mask.
    static QxImage AlphaMaskImage(int width, int height, std::uint8_t alpha) {
        QxImage image;
        image.Create(width, height, 8);
        std::fill(image.pixels.begin(), image.pixels.end(), alpha);
        for (int i = 0; i < QxImage::kPaletteSize; ++i) {
            const auto v = static_cast<std::uint8_t>(i);
            image.palette[static_cast<std::size_t>(i)] = QxColour(v, v, v);
        }
        return image;
    }

    // The text of "log.txt" in the user data folder.
    std::string ReadLog() const {
        if (!g_settingsManager) {
            return {};
        }
        const std::string path = g_settingsManager->UserDataFolder("") + "log.txt";
        std::ifstream in(path, std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    }

    // ---- entities -------------------------------------------------------------------

    // Defines a type from definition text through the registry; null when refused.
    QxEntityBaseType* Define(const std::string& text) {
        QxDefinition definition(text);
        return registry_->DefineType(definition, false);
    }

    // Creates an entity of a defined type and casts it; null when it cannot be made or
    // is not a T.
    template <typename T = QxEntityBase>
    std::unique_ptr<T> Create(const std::string& className, const std::string& typeName,
                              std::uint32_t kind = kKindAny) {
        std::unique_ptr<QxEntityBase> entity = registry_->Create(className, typeName, kind);
        T* cast = dynamic_cast<T*>(entity.get());
        if (!cast) {
            return nullptr;
        }
        entity.release();
        return std::unique_ptr<T>(cast);
    }

    template <typename T = QxEntity2DGUIElement>
    std::unique_ptr<T> CreateElement(const std::string& className, const std::string& typeName) {
        return Create<T>(className, typeName, kKindGUIElement);
    }

    // ---- input ----------------------------------------------------------------------

    static void SetMouse(int x, int y, bool leftHeld = false) {
        g_mouseState.x = x;
        g_mouseState.y = y;
        g_mouseState.leftButton = leftHeld ? 1 : 0;
    }

    // ---- screen ---------------------------------------------------------------------

    // Marks the whole screen for redraw, so the next drawing is not clipped.
    void DirtyAll() const {
        screen_->ClearDirty();
        screen_->MarkDirty(QxRect{0, kScreenWidth, 0, kScreenHeight}, false);
    }

    // Clears the back buffer to black and marks it all dirty.
    void ClearScreen() const {
        screen_->ClearDirty();
        screen_->MarkDirty(QxRect{0, kScreenWidth, 0, kScreenHeight}, true);
    }

    // The back buffer's pixel value at x, y (0 outside the screen).
    std::uint16_t Pixel(int x, int y) const {
        QxSurfaceDesc desc{};
        if (x < 0 || y < 0 || !screen_->LockBackBuffer(&desc)) {
            return 0;
        }
        std::uint16_t value = 0;
        if (x < desc.width && y < desc.height) {
            const std::uint8_t* at =
                desc.pixels + static_cast<std::size_t>(y) * static_cast<std::size_t>(desc.pitch) +
                static_cast<std::size_t>(x) * 2;
            std::memcpy(&value, at, sizeof(value));
        }
        screen_->UnlockBackBuffer();
        return value;
    }

    // A colour packed as the back buffer stores it (five bits per channel).
    static std::uint16_t Rgb555(QxColour colour) {
        return static_cast<std::uint16_t>(((colour.red >> 3) << 10) | ((colour.green >> 3) << 5) |
                                          (colour.blue >> 3));
    }

    // The screen's blend of a source colour over a destination colour with alpha a
    // (0 to 256), per five-bit field: d + (((s - d) * a) >> 8).
    static std::uint16_t Blend555(QxColour source, QxColour destination, int a) {
        auto field = [a](int s, int d) { return d + (((s - d) * a) >> 8); };
        const int red = field(source.red >> 3, destination.red >> 3);
        const int green = field(source.green >> 3, destination.green >> 3);
        const int blue = field(source.blue >> 3, destination.blue >> 3);
        return static_cast<std::uint16_t>((red << 10) | (green << 5) | blue);
    }

    // Writes the back buffer as a PNG file; answers the path.
    std::string SaveScreenPng(const std::string& name) const {
        const std::string path = root_ + "/" + name;
        QxSurfaceDesc desc{};
        if (!screen_->LockBackBuffer(&desc)) {
            return {};
        }
        const bool saved = SavePng(path, reinterpret_cast<const std::uint16_t*>(desc.pixels),
                                   desc.width, desc.height, desc.pitch);
        screen_->UnlockBackBuffer();
        return saved ? path : std::string{};
    }

    QxWin32Screen2D& Screen() const { return *screen_; }
    QxEntityRegistry& Registry() const { return *registry_; }
    QxResourceCache& Cache() const { return *cache_; }
    QxFileSystem& Files() const { return *fileSystem_; }

private:
    static std::string FreshFolder() {
        const char* base = std::getenv("RONDELIX_TEST_TMP");
        std::filesystem::path root = base != nullptr
                                         ? std::filesystem::path(base)
                                         : std::filesystem::temp_directory_path() / "rondelix-test";
        const testing::TestInfo* info = testing::UnitTest::GetInstance()->current_test_info();
        root /= std::string("gui-") + info->test_suite_name() + "-" + info->name();
        std::error_code ec;
        std::filesystem::remove_all(root, ec);
        std::filesystem::create_directories(root / "data", ec);
        return root.string();
    }

    std::string root_;
    std::unique_ptr<QxWin32SettingsManager> settings_;
    std::unique_ptr<QxWin32Screen2D> screen_;
    std::unique_ptr<QxFileSystem> fileSystem_;
    std::unique_ptr<QxWin32SoundManager> sound_;
    std::unique_ptr<QxResourceCache> cache_;
    std::unique_ptr<QxEntityRegistry> registry_;
};
