#include "app/PyxGame.h"

#include <algorithm>
#include <exception>

#include "app/GameSettings.h"
#include "app/QxGlobals.h"
#include "app/QxInputQueue.h"
#include "app/QxMouseState.h"
#include "app/QxRandom.h"
#include "app/QxSettingsManager.h"
#include "engine/entity/QxEntityRegistry.h"
#include "engine/entity/QxRegistrationTable.h"
#include "engine/files/QxDataArchives.h"
#include "engine/files/QxFileSystem.h"
#include "engine/files/QxLog.h"
#include "engine/gui/PyxHighScore.h"
#include "engine/gui/QxEntity2DGUIElement.h"
#include "engine/gui/QxEntity2DScene.h"
#include "engine/gui/QxEntityMessageBox.h"
#include "engine/gui/QxHighScoreTable.h"
#include "engine/screen/QxPageRoll.h"
#include "engine/screen/QxWin32Screen2D.h"
#include "engine/sound/QxWin32SoundManager.h"
#include "game/rules/PyxGameplay.h"

std::uint8_t g_modeChangeInProgress = 0;

namespace {

constexpr const char* kLoadingSceneFile = "LoadingScene.ent";
constexpr const char* kLoadingSceneClass = "PyxLoadingScene";
constexpr const char* kLoadingSceneType = "loadingscene";
constexpr const char* kWindowTitle = "Rondelix";
constexpr const char* kMusicFile = "common/sounds/jazz_rond_8bit.wav";

// Makes a scene of the class and type; null (with the entity gone) when the registry
// has no such type or it is not a scene.
std::unique_ptr<QxEntity2DScene> CreateScene(const std::string& className,
                                             const std::string& typeName) {
    if (g_registry == nullptr) {
        return nullptr;
    }
    std::unique_ptr<QxEntityBase> entity;
    try {
        entity = g_registry->Create(className, typeName, kKindAny);
    } catch (const std::exception& error) {
        LogPrintf("Scene %s, %s - %s", className.c_str(), typeName.c_str(), error.what());
        return nullptr;
    }
    auto* scene = dynamic_cast<QxEntity2DScene*>(entity.get());
    if (scene == nullptr) {
        return nullptr;
    }
    entity.release();
    return std::unique_ptr<QxEntity2DScene>(scene);
}

} // namespace

void SceneTransition::Free() {
    oldFrame = Frame{};
    newFrame = Frame{};
    active = 0;
}

PyxGame* ThePyxGame() {
    return dynamic_cast<PyxGame*>(g_game);
}

PyxGame::PyxGame() = default;

PyxGame::~PyxGame() {
    // A game torn down without Shutdown must still not leave the loader running
    // against a registry that goes with it.
    WaitForBackgroundLoad();
    m_scene.reset();
    if (m_registry && g_registry == m_registry.get()) {
        g_registry = nullptr;
    }
}

std::string PyxGame::HighScoreFile() {
    if (g_settingsManager == nullptr) {
        return {};
    }
    return g_settingsManager->CommonDataFolder("") + "Scores.rd";
}

// ---- start-up and shutdown -------------------------------------------------------------

int PyxGame::Init() {
    LoadSettings(g_gameSettings, g_lastHighscoreName);

    QxDisplayMode mode;
    mode.width = kScreenWidth;
    mode.height = kScreenHeight;
    mode.format.bitsPerPixel = 16;
    mode.fullScreen = g_gameSettings.fullScreen != 0;

    // Archives come after the two folders the main function added, so loose files win.
    if (QxFileSystem* fileSystem = CurrentFileSystem()) {
        AddDataArchives(*fileSystem);
    }

    m_registry = std::make_unique<QxEntityRegistry>();
    g_registry = m_registry.get();
    RegisterEntityClasses(*m_registry);
    m_registry->LoadFile(kLoadingSceneFile);

    auto* screen = dynamic_cast<QxWin32Screen2D*>(g_screen);
    if (g_screen != nullptr && !g_screen->CreateScreen(&mode, kWindowTitle)) {
        // Without a window nobody could ever see or end the game.
        LogPrintf("Init - the window could not be created; quitting.");
        RequestQuit();
    }

    if (auto* sound = dynamic_cast<QxWin32SoundManager*>(g_soundManager)) {
        sound->SetSoundWindow(screen != nullptr ? screen->Window() : nullptr);
    }
    if (g_soundManager != nullptr) {
        g_soundManager->InitSound(8);
        g_soundManager->EnableSounds(g_gameSettings.musicOn != 0);
        g_soundManager->SetMasterVolume(1.0f);
        ApplySoundVolumes(g_gameSettings);
    }

    m_scene = CreateScene(kLoadingSceneClass, kLoadingSceneType);
    if (m_scene) {
        // Loaded here, before the loading thread starts loading every type: the two
        // threads must never load the same type at once, and this scene's types are
        // the ones the main thread uses meanwhile.
        m_scene->Type()->Load(false);
    } else {
        LogPrintf("Init - %s (class %s, type %s) is missing; quitting.", kLoadingSceneFile,
                  kLoadingSceneClass, kLoadingSceneType);
        RequestQuit();
    }
    QxEntity2DGUIElement::SetTooltipScene(m_scene.get());

    if (g_screen != nullptr) {
        g_screen->ShowMouseCursor(false);
    }

    PyxHighScore prototype(g_lastHighscoreName, 0, 0);
    g_highScoreTable.Load(HighScoreFile(), prototype);

    // Written straight back so that a first start creates every value.
    SaveSettings(g_gameSettings, g_lastHighscoreName);

    // A game that ends before it starts has nothing to load.
    if (!IsQuitRequested()) {
        StartBackgroundLoad();
    }
    AddMusic(kMusicTrack, kMusicFile);
    return 1;
}

void PyxGame::BackgroundLoad() {
    if (g_registry == nullptr) {
        return;
    }
    g_registry->SetProgress(&LoadProgress());
    g_registry->LoadAll();
    g_registry->LoadTypes(false, 0);
    g_registry->SetProgress(nullptr);
}

void PyxGame::Shutdown() {
    g_highScoreTable.Save(HighScoreFile());
    WaitForBackgroundLoad();
    if (g_screen != nullptr) {
        g_screen->ShowMouseCursor(true);
    }
    m_transition.Free();
    m_scene.reset();
    if (m_registry) {
        m_registry->Clear();
        if (g_registry == m_registry.get()) {
            g_registry = nullptr;
        }
        m_registry.reset();
    }
    SaveSettings(g_gameSettings, g_lastHighscoreName);
    QxGame::Shutdown();
}

void PyxGame::RequestScene(const std::string& className, const std::string& typeName,
                           int transition) {
    m_requestedClass = className;
    m_requestedType = typeName;
    m_sceneChangePending = 1;
    m_requestedKind = transition == -1 ? random(4) : transition;
}

// ---- the frame ---------------------------------------------------------------------------

void PyxGame::Frame(QxInputQueue& queue) {
    ConsumeEvents(queue);
    SettleModeChange();
    if (g_screen != nullptr) {
        ClampMouse();
    }
    if (g_soundManager != nullptr) {
        g_soundManager->UpdateSounds(m_frameTime);
    }
    if (m_sceneChangePending) {
        ChangeScene();
    }
    if (m_scene) {
        if (m_inactive) {
            return;
        }
        if (!StepTransition(m_frameTime)) {
            m_scene->Update(m_frameTime);
            if (m_inactive) {
                return;
            }
            if (!m_sceneChangePending) {
                m_scene->Draw();
            }
        }
    }
    if (!m_inactive && g_screen != nullptr) {
        g_screen->Present();
    }
}

void PyxGame::ConsumeEvents(QxInputQueue& queue) {
    // Handlers may queue further events (the settings menu queues the full-screen
    // key); those are taken in this same pass.
    QxInputEvent event;
    while (queue.Take(event)) {
        const QxPoint mouse{g_mouseState.x, g_mouseState.y};
        switch (event.kind) {
        case QxInputKind::Tick:
            m_frameTime = static_cast<float>(static_cast<double>(event.value) * 0.1);
            break;
        case QxInputKind::MouseMove:
            g_mouseState.x = event.MouseX();
            g_mouseState.y = event.MouseY();
            break;
        case QxInputKind::LeftDown:
            g_mouseState.leftButton = 1;
            if (!m_transition.active && m_scene) {
                m_scene->OnMouseDown(mouse, 1);
            }
            break;
        case QxInputKind::LeftUp:
            g_mouseState.leftButton = 0;
            if (!m_transition.active && m_scene) {
                m_scene->OnMouseUp(mouse, 1);
            }
            break;
        case QxInputKind::RightDown:
        case QxInputKind::RightUp:
            if (!m_transition.active && m_scene) {
                m_scene->OnRightButton(mouse, event.kind == QxInputKind::RightDown);
            }
            break;
        case QxInputKind::MouseWheel:
            if (!m_transition.active && m_scene) {
                m_scene->OnMouseWheel(mouse, event.WheelTurn());
            }
            break;
        case QxInputKind::KeyDown:
            if (event.Code() == QxKey::F7) {
                OnFullScreenKey();
            } else if (m_scene) {
                m_scene->OnKey(event.Code());
            }
            break;
        case QxInputKind::KeyUp:
            if (m_scene) {
                m_scene->OnKeyUp(event.Code());
            }
            break;
        case QxInputKind::Deactivated:
            OnDeactivated();
            break;
        case QxInputKind::Activated:
            OnActivated();
            break;
        default: // other buttons reach nobody
            break;
        }
    }
}

void PyxGame::OnFullScreenKey() {
    if (!IsBackgroundLoadDone() || m_sceneChangePending || m_transition.active ||
        !m_fullScreenKeyAllowed || g_screen == nullptr) {
        return;
    }
    if (!g_screen->ToggleFullScreen()) {
        return;
    }
    g_gameSettings.fullScreen = g_gameSettings.fullScreen != 0 ? 0 : 1;
    g_modeChangeInProgress = 1;
    m_modeChangeLeft = kModeChangeSettleMs;
    m_modeChangeFramesToSkip = kModeChangeSkippedFrames;
    // The new screen has none of the old surfaces; everything but scenes and dialogs
    // makes its pictures again now, the rest when next used.
    if (g_registry != nullptr) {
        g_registry->LoadTypes(true, QxEntityRegistry::kSkipScenes);
    }
    if (PyxGameplay* game = GameInProgress()) {
        game->PauseOnly();
    }
}

void PyxGame::OnDeactivated() {
    if (m_inactive) {
        return;
    }
    if (g_modeChangeInProgress) {
        m_deactivationHeld = 1;
        return;
    }
    m_inactive = 1;
    // The player comes back to a paused game and resumes when ready.
    if (PyxGameplay* game = GameInProgress()) {
        game->PauseOnly();
    }
    if (g_screen != nullptr) {
        g_screen->ShowMouseCursor(true);
        if (g_screen->IsFullScreen()) {
            g_screen->MinimizeScreen(true);
        }
    }
}

void PyxGame::OnActivated() {
    // An activation ends a mode switch; a deactivation it caused is void.
    g_modeChangeInProgress = 0;
    m_deactivationHeld = 0;
    if (!m_inactive) {
        return;
    }
    m_inactive = 0;
    if (g_screen != nullptr) {
        g_screen->ShowMouseCursor(false);
        if (g_screen->IsFullScreen()) {
            g_screen->MinimizeScreen(false);
        }
        g_screen->ClearDirty();
        g_screen->MarkDirty(QxRect{0, kScreenWidth, 0, kScreenHeight}, true);
    }
}

void PyxGame::SettleModeChange() {
    if (!g_modeChangeInProgress) {
        return;
    }
    if (m_modeChangeFramesToSkip > 0) {
        --m_modeChangeFramesToSkip;
        return;
    }
    m_modeChangeLeft -= m_frameTime;
    if (m_modeChangeLeft > 0.0f) {
        return;
    }
    // No activation came to cancel a deactivation: the player did leave.
    g_modeChangeInProgress = 0;
    if (m_deactivationHeld) {
        m_deactivationHeld = 0;
        OnDeactivated();
    }
}

void PyxGame::ClampMouse() {
    if (!g_screen->IsFullScreen()) {
        return;
    }
    const std::int32_t x = std::clamp(g_mouseState.x, 0, g_screen->Width());
    const std::int32_t y = std::clamp(g_mouseState.y, 0, g_screen->Height());
    if (x != g_mouseState.x || y != g_mouseState.y) {
        g_mouseState.x = x;
        g_mouseState.y = y;
        g_screen->SetMousePosition(QxPoint{x, y});
    }
}

// ---- scene change and transition -----------------------------------------------------------

bool PyxGame::CopyBackBuffer(SceneTransition::Frame& frame) {
    QxSurfaceDesc desc;
    if (g_screen == nullptr || !g_screen->LockBackBuffer(&desc)) {
        return false;
    }
    const std::size_t bytes =
        static_cast<std::size_t>(std::max(0, desc.height)) * std::max(0, desc.pitch);
    frame.pixels.assign(desc.pixels, desc.pixels + bytes);
    frame.desc = desc;
    frame.desc.pixels = frame.pixels.data();
    g_screen->UnlockBackBuffer();
    return true;
}

void PyxGame::RefuseNewScene(const std::string& reason) {
    if (m_makingScene) {
        m_refusal = reason.empty() ? std::string("The screen cannot be shown.") : reason;
        return;
    }
    LogPrintf("Scene refused outside a switch - %s; quitting.", reason.c_str());
    RequestQuit();
}

void PyxGame::ChangeScene() {
    if (m_transition.active) {
        m_transition.Free();
    }
    if (!CopyBackBuffer(m_transition.oldFrame)) {
        m_sceneChangePending = 0;
        return;
    }
    g_screen->ClearScreen();

    // Copies: the new scene may ask for another change while it is being made.
    const std::string className = m_requestedClass;
    const std::string typeName = m_requestedType;
    m_refusal.clear();
    m_makingScene = 1;
    std::unique_ptr<QxEntity2DScene> scene = CreateScene(className, typeName);
    m_makingScene = 0;
    // What the scene asked for while it was made belongs to this switch (the game
    // screen picks its transition that way); what it asks for from its first update
    // on is a change of its own, made in the next frame.
    m_sceneChangePending = 0;
    if (scene && !m_refusal.empty()) {
        scene.reset();
        m_transition.Free();
        // Nothing changed: no page rolls, and the cleared screen is drawn afresh by
        // the scene that stays, with the reason over it.
        if (m_scene) {
            m_scene->ShowMessageBox(m_refusal, kSceneRefusedDialogId, kButtonOK);
        }
        m_refusal.clear();
        return;
    }
    if (scene) {
        scene->Type()->Load(false);
        // Nothing else may hold the old scene: it goes before the new one takes over.
        m_scene.reset();
        m_scene = std::move(scene);
        // Tooltips that a definition gives show over whichever scene is current.
        QxEntity2DGUIElement::SetTooltipScene(m_scene.get());
    } else if (!className.empty() || !typeName.empty()) {
        LogPrintf("Scene %s, %s - not defined or not a scene; staying in the current scene.",
                  className.c_str(), typeName.c_str());
    }

    if (m_scene) {
        m_scene->Update(0.0f);
        m_scene->Draw();
    }

    if (CopyBackBuffer(m_transition.newFrame)) {
        m_transition.active = 1;
        m_transition.duration = kTransitionMs;
        m_transition.elapsed = 0.0f;
        m_transition.band = kTransitionBand;
        m_transition.framesToSkip = kTransitionSkippedFrames;
        m_transition.kind = m_requestedKind;
    } else {
        m_transition.Free();
    }
}

bool PyxGame::StepTransition(float frameMs) {
    SceneTransition& t = m_transition;
    if (!t.active || g_screen == nullptr) {
        return false;
    }
    g_screen->ClearScreen();
    if (t.framesToSkip > 0) {
        --t.framesToSkip;
    } else {
        t.elapsed += frameMs;
    }
    if (t.elapsed >= t.duration) {
        t.Free();
        return false;
    }
    QxSurfaceDesc screen;
    if (!g_screen->LockBackBuffer(&screen)) {
        return false;
    }
    // The copies were taken from this back buffer; one of another shape (which the
    // full-screen key cannot make while a transition runs) is not rolled over.
    const bool drawn =
        QxDrawPageRoll(screen, t.oldFrame.desc, t.newFrame.desc, t.kind, t.band,
                       static_cast<double>(t.elapsed) / static_cast<double>(t.duration));
    g_screen->UnlockBackBuffer();
    return drawn;
}
