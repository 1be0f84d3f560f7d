#pragma once
// The loading screen: a bar that fills towards the share of the background load done
// so far, never backwards, and the main menu once both the bar and the load are
// complete. Once the load is complete a key or a click goes on at once: the bar's
// unhurried fill is only for a player who waits.

#include <memory>

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

    bool Update(float ms) override;
    bool OnMouseUp(QxPoint mouse, int button) override;
    bool OnKey(int code) override;

    float ShownProgress() const { return m_shown; }

private:
    // Goes to the main menu when the background load is done; false while it runs.
    bool SkipWhenLoaded();

    PyxEntityLoadingSceneType* LoadingType() const {
        return static_cast<PyxEntityLoadingSceneType*>(Type());
    }

    float m_shown = 0.0f;
    float m_speed = kStartSpeed;
};

using PyxEntityLoadingScenePrototype = QxTypePrototype<PyxEntityLoadingSceneType>;
