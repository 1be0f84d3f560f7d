#pragma once
// The game object: builds the start-up state (archives, registry, window, sound, the
// loading scene, the high-score table), owns the one current scene, turns each
// frame's input events into calls on it, switches scenes on request behind a
// page-roll transition, and saves everything at shutdown.

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "app/QxGame.h"
#include "app/QxScreenSize.h"
#include "engine/screen/QxSurface.h"

class QxEntity2DScene;
class QxEntityRegistry;
// Set by the full-screen key while the switch settles: the deactivation the mode change
// itself causes is not taken for the player leaving. The next activation, or the
// settling time running out, clears it.
extern std::uint8_t g_modeChangeInProgress;

// The page-roll from the last frame of the old scene to the first of the new one.
struct SceneTransition {
    // The frames: screen descriptors whose pixels point into the owned copies.
    struct Frame {
        QxSurfaceDesc desc;
        std::vector<std::uint8_t> pixels;
    };

    std::uint8_t active = 0;
    Frame oldFrame;
    Frame newFrame;
    float duration = 0.0f; // ms
    float elapsed = 0.0f;  // ms
    std::int32_t band = 0; // lines showing the back of the rolled page
    std::int32_t kind = 0; // 0 down from the top, 1 up from the bottom, 2 in from the
                           // right, 3 the old page away to the right
    std::int32_t framesToSkip = 0;

    void Free();
};

class PyxGame : public QxGame {
public:
    static constexpr float kTransitionMs = 1000.0f;
    static constexpr std::int32_t kTransitionBand = 50;
    static constexpr std::int32_t kTransitionSkippedFrames = 2;
    static constexpr std::uint32_t kMusicTrack = 1;
    // After a display-mode switch the window system may still report the focus changes
    // it caused: for this long (counted after two frames, which carry the time the
    // switch itself took) a deactivation waits for an activation that cancels it.
    static constexpr float kModeChangeSettleMs = 1000.0f;
    static constexpr std::int32_t kModeChangeSkippedFrames = 2;
    // The message box that tells why a scene could not start.
    static constexpr std::int32_t kSceneRefusedDialogId = 4;

    PyxGame();
    ~PyxGame() override;

    // Reads every definition file and loads every type (the loading thread).
    void BackgroundLoad() override;
    int Init() override;
    void Frame(QxInputQueue& queue) override;
    void Shutdown() override;
    void RequestScene(const std::string& className, const std::string& typeName,
                      int transition) override;

    QxEntity2DScene* CurrentScene() const { return m_scene.get(); }
    bool IsFullScreenKeyAllowed() const { return m_fullScreenKeyAllowed != 0; }
    void SetFullScreenKeyAllowed(bool allowed) { m_fullScreenKeyAllowed = allowed ? 1 : 0; }
    bool IsSceneChangePending() const { return m_sceneChangePending != 0; }
    const SceneTransition& Transition() const { return m_transition; }
    bool IsTransitionActive() const { return m_transition.active != 0; }
    float FrameTime() const { return m_frameTime; }

    // Called by a scene from its constructor when it cannot run. During a switch the
    // switch is called off: the scene that asked for it stays current and shows the
    // reason in a message box. A scene made outside a switch has nowhere to go back
    // to, so the program ends.
    void RefuseNewScene(const std::string& reason);

    // One step of the transition over the back buffer; true when it drew the frame.
    bool StepTransition(float frameMs);

    // Where the high-score table lives.
    static std::string HighScoreFile();

private:
    void ConsumeEvents(QxInputQueue& queue);
    void OnFullScreenKey();
    void OnDeactivated();
    void OnActivated();
    void SettleModeChange();
    void ClampMouse();
    void ChangeScene();
    static bool CopyBackBuffer(SceneTransition::Frame& frame);

    std::unique_ptr<QxEntity2DScene> m_scene;
    std::uint8_t m_fullScreenKeyAllowed = 1;
    SceneTransition m_transition;
    float m_frameTime = 0.0f;
    std::string m_requestedClass;
    std::string m_requestedType;
    std::uint8_t m_sceneChangePending = 0;
    std::int32_t m_requestedKind = 0; // the transition the pending change asked for
    std::uint8_t m_makingScene = 0;   // a switch is creating its scene
    std::string m_refusal;            // why the scene being made cannot run
    float m_modeChangeLeft = 0.0f;    // ms of settling left after a mode switch
    std::int32_t m_modeChangeFramesToSkip = 0;
    std::uint8_t m_deactivationHeld = 0; // a deactivation came while the switch settled
    std::unique_ptr<QxEntityRegistry> m_registry;
};

// The running game object when it is the game's (null otherwise).
PyxGame* ThePyxGame();
