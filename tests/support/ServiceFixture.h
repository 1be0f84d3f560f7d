#pragma once
// The global services a test publishes, built fresh for every test over a folder of its
// own and withdrawn again in the reverse order:
//
//   - a settings store under the folder (g_settingsManager), so log lines land in
//     "log.txt" there, and the headless binding's home at the folder;
//   - the current file system, with a folder source over "data/" when `files` is set;
//   - a 640 x 480 16-bit screen on the headless binding (g_screen), all marked dirty;
//   - a headless sound manager (g_soundManager) and the resource cache
//     (g_resourceCache);
//   - a registry (g_registry), holding every class of the program's registration
//     table when `programClasses` is set;
//   - the shared mouse at (0, 0) with the button up, no tooltip scene named.
//
// A fixture chooses its parts in its constructor; the parts not chosen stay unpublished
// (the objects exist, so a fixture may still publish them itself).

#include <cstdint>
#include <memory>
#include <string>

#include <gtest/gtest.h>

#include "app/QxGlobals.h"
#include "app/QxMouseState.h"
#include "app/QxWin32SettingsManager.h"
#include "engine/entity/QxDefinition.h"
#include "engine/entity/QxEntityRegistry.h"
#include "engine/entity/QxRegistrationTable.h"
#include "engine/files/QxFileSystem.h"
#include "engine/files/QxResourceCache.h"
#include "engine/files/QxWin32FileManager.h"
#include "engine/gui/QxEntity2DGUIElement.h"
#include "engine/screen/QxWin32Screen2D.h"
#include "engine/sound/QxWin32SoundManager.h"
#include "platform/headless/Headless.h"
#include "support/TestFiles.h"

namespace testsupport {

struct ServiceParts {
    bool files = true;
    bool screen = true;
    bool sound = true;
    bool cache = true;
    bool programClasses = true;
};

class ServiceFixture : public testing::Test {
protected:
    static constexpr int kScreenWidth = 640;
    static constexpr int kScreenHeight = 480;

    explicit ServiceFixture(std::string area, ServiceParts parts = {})
        : area_(std::move(area)), parts_(parts) {}

    void SetUp() override {
        root_ = FreshFolder(area_, true);
        platform::headless::SetRoot(root_);
        platform::headless::ClearSpecialFolderOverrides();
        settings_ = std::make_unique<QxWin32SettingsManager>("Quillfern Studio", "Rondelix");
        g_settingsManager = settings_.get();
        if (parts_.files)
            files_->AddManager(std::make_unique<QxWin32FileManager>(), DataFolder());
        SetCurrentFileSystem(files_.get());
        if (parts_.screen) {
            QxDisplayMode mode;
            mode.width = kScreenWidth;
            mode.height = kScreenHeight;
            mode.format.bitsPerPixel = 16;
            mode.fullScreen = false;
            ASSERT_TRUE(screen_->CreateScreen(&mode, "test"));
            g_screen = screen_.get();
            screen_->ClearDirty();
            screen_->MarkDirty(QxRect{0, kScreenWidth, 0, kScreenHeight}, false);
        }
        if (parts_.sound) {
            sound_->InitSound(8);
            g_soundManager = sound_.get();
        }
        if (parts_.cache)
            g_resourceCache = cache_.get();
        if (parts_.programClasses) {
            ASSERT_TRUE(RegisterEntityClasses(*registry_));
        }
        g_registry = registry_.get();
        g_mouseState = QxMouseState{};
        QxEntity2DGUIElement::SetTooltipScene(nullptr);
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
        files_.reset();
        screen_.reset();
        g_screen = nullptr;
        settings_.reset();
        g_settingsManager = nullptr;
        platform::headless::SetRoot("");
    }

    std::string Root() const { return root_; }
    std::string DataFolder() const { return root_ + "/data/"; }
    std::string DataFile(const std::string& name) const { return DataFolder() + name; }
    void WriteFile(const std::string& name, const std::string& bytes) const {
        WriteText(DataFolder() + name, bytes);
    }
    // The text of "log.txt" in the user data folder.
    std::string Log() const {
        return settings_ ? ReadText(settings_->UserDataFolder("") + "log.txt") : std::string();
    }
    std::string ReadLog() const { return Log(); }

    // Defines a type from definition text through the registry; null when refused.
    QxEntityBaseType* Define(const std::string& text, bool anonymous = false) {
        QxDefinition definition(text);
        definition.SetRegistry(registry_.get());
        return registry_->DefineType(definition, anonymous);
    }

    QxWin32Screen2D& Screen() const { return *screen_; }
    QxEntityRegistry& Registry() const { return *registry_; }
    QxResourceCache& Cache() const { return *cache_; }
    QxFileSystem& Files() const { return *files_; }
    QxWin32SoundManager& Sound() const { return *sound_; }

    std::string root_;
    std::unique_ptr<QxWin32SettingsManager> settings_;

private:
    std::string area_;
    ServiceParts parts_;
    // Made with the fixture, so that fixtures may keep references to them.
    std::unique_ptr<QxWin32Screen2D> screen_ = std::make_unique<QxWin32Screen2D>();
    std::unique_ptr<QxFileSystem> files_ = std::make_unique<QxFileSystem>();
    std::unique_ptr<QxWin32SoundManager> sound_ = std::make_unique<QxWin32SoundManager>();
    std::unique_ptr<QxResourceCache> cache_ = std::make_unique<QxResourceCache>();
    std::unique_ptr<QxEntityRegistry> registry_ = std::make_unique<QxEntityRegistry>();
};

} // namespace testsupport
