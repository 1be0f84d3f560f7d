#pragma once
// The content of the name dialog of a new high score: a text element that shows and
// edits the name, and an OK button. Enter or OK closes the dialog (answer 0); the
// first key typed replaces the offered name.

#include <cstdint>
#include <memory>
#include <string>

#include "engine/gui/QxEntity2DScene.h"
#include "engine/gui/QxEntityDialogScene.h"

class QxEntity2DGUIText;
class QxEntityDialogBox;

inline constexpr std::uint32_t kKindHighScoreInputScene = QxKindTag("HSIS");

class QxEntityHighScoreInputScene;

class QxEntityHighScoreInputSceneType
    : public QxEntityTypeOf<QxEntityHighScoreInputSceneType, QxEntityHighScoreInputScene,
                            QxEntity2DSceneType, kKindHighScoreInputScene> {
public:
    explicit QxEntityHighScoreInputSceneType(QxDefinition* definition);

    QxEntity2DGUIText* NameEntry() const;
    QxEntity2DGUIElement* OKButton() const;

private:
    ElementRecord* m_nameEntry = nullptr;
    ElementRecord* m_okButton = nullptr;
};

class QxEntityHighScoreInputScene : public QxEntity2DScene, public QxDialogContent {
public:
    static constexpr std::int32_t kMaxNameLength = 32;
    static constexpr const char* kInitialName = "Enter your name here ...";

    explicit QxEntityHighScoreInputScene(QxEntityHighScoreInputSceneType* type);

    // Enter closes the dialog; any other key edits the name. Keys are not reported
    // as handled.
    bool OnKey(int code) override;
    // A click on OK closes the dialog.
    bool OnMouseUp(QxPoint mouse, int button) override;

    void AttachToDialog(QxEntityDialogBox* dialog) override { m_dialog = dialog; }

    // Offers a name: the entry shows it, with the caret on.
    void SetName(const std::string& name);
    const std::string& Name() const { return m_name; }

    QxEntityHighScoreInputSceneType* InputType() const {
        return static_cast<QxEntityHighScoreInputSceneType*>(Type());
    }

private:
    void CloseDialog();

    std::string m_name = kInitialName;
    bool m_firstKeyClears = true;
    QxEntityDialogBox* m_dialog = nullptr;
};

using QxEntityHighScoreInputScenePrototype = QxTypePrototype<QxEntityHighScoreInputSceneType>;
