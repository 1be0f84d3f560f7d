#pragma once
// The loading screen: a bar that fills towards the share of the background load done
// so far, never backwards, and the main menu (or the scene start-up asked for) once
// both the bar and the load are complete. Once the load is complete a key or a click goes on at
// once: the bar's unhurried fill is only for a player who waits.

#include <memory>
#include <string>

#include "engine/gui/QxEntity2DScene.h"

class PyxEntityLoadingScene;

class PyxEntityLoadingSceneType
    : public QxEntityTypeOf<PyxEntityLoadingSceneType, PyxEntityLoadingScene, QxEntity2DSceneType> {
public:
    explicit PyxEntityLoadingSceneType(QxDefinition* definition);

    ElementRecord* m_progressBar = nullptr;
};

class PyxEntityLoadingScene : public QxEntity2DScene {
public:
    static constexpr float kStartSpeed = 0.05f; // share of the bar per second

    explicit PyxEntityLoadingScene(PyxEntityLoadingSceneType* type);

    // The scene the next loading screen made leads to instead of the main menu (a set
    // opened from the command line leads to the player's sets). Start-up asks before
    // the game object makes the loading screen; the screen takes the request, so it
    // holds for one run. A scene the loaded game does not have means the main menu,
    // with a log line.
    static void LeadTo(const std::string& className, const std::string& typeName);

    bool Update(float ms) override;
    bool OnMouseUp(QxPoint mouse, int button) override;
    bool OnKey(int code) override;

    float ShownProgress() const { return m_shown; }

private:
    // Goes on when the background load is done; false while it runs.
    bool SkipWhenLoaded();
    // Asks for the next scene: the one start-up asked for when the game has it, else
    // the main menu.
    void GoOn();

    PyxEntityLoadingSceneType* LoadingType() const {
        return static_cast<PyxEntityLoadingSceneType*>(Type());
    }

    float m_shown = 0.0f;
    float m_speed = kStartSpeed;
    std::string m_nextClass;
    std::string m_nextType;
};

using PyxEntityLoadingScenePrototype = QxTypePrototype<PyxEntityLoadingSceneType>;
