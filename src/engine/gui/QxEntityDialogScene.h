#pragma once
// A dialog whose content is a whole scene: the content scene is placed at the box's
// content origin (its elements' positions count from there) and gets the dialog's
// updates, drawing, mouse and keys. The content may close its dialog.

#include <cstdint>
#include <memory>

#include "engine/gui/QxEntityDialogBox.h"

class QxEntity2DScene;

inline constexpr std::uint32_t kKindDialogScene = QxKindTag("DLGS");

// Implemented by content scenes that need to know the dialog they are shown in.
class QxDialogContent {
public:
    virtual ~QxDialogContent() = default;
    // The dialog the content is shown in (not owned), or null when it leaves it.
    virtual void AttachToDialog(QxEntityDialogBox* dialog) = 0;
};

class QxEntityDialogScene;

class QxEntityDialogSceneType : public QxEntityTypeOf<QxEntityDialogSceneType, QxEntityDialogScene,
                                                      QxEntityDialogBoxType, kKindDialogScene> {
public:
    explicit QxEntityDialogSceneType(QxDefinition* definition);

    QxEntityRef m_sceneRef;
};

class QxEntityDialogScene : public QxEntityDialogBox {
public:
    explicit QxEntityDialogScene(QxEntityDialogSceneType* type);
    ~QxEntityDialogScene() override;

    bool Update(float ms) override;
    bool Draw() override;

    bool OnMouseUp(QxPoint point, int button) override;
    bool OnMouseDown(QxPoint point, int button) override;
    bool OnKey(int code) override;
    bool OnKeyUp(int code) override;

    // The content scene (owned by the dialog), or null when "SceneEnt" named none.
    virtual QxEntity2DScene* ContentScene() const { return m_content.get(); }
    // Where the content's origin lies on screen.
    virtual QxPoint ContentSceneOrigin() const { return ContentOrigin(); }

protected:
    void LayOut() override;

private:
    // Places the content's elements relative to the content origin.
    void PlaceContent();

    std::unique_ptr<QxEntity2DScene> m_content;
};

using QxEntityDialogScenePrototype = QxTypePrototype<QxEntityDialogSceneType>;
