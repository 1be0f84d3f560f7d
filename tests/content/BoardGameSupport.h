#pragma once
// A game screen over the real data set for tests: a scene that reads the game screen's
// definition (its elements, named parts and level set), owns the game rules, closes
// and opens the jaws between levels, and draws everything the way the game does; with
// recorders for the game object's services.

#include <cstdlib>
#include <map>
#include <memory>
#include <string>

#include "app/GameSettings.h"
#include "app/QxMouseState.h"
#include "content/BoardContentSupport.h"
#include "engine/gui/QxEntity2DGUIElement.h"
#include "engine/gui/QxEntity2DScene.h"
#include "engine/gui/QxHighScore.h"
#include "engine/screen/QxPng.h"
#include "game/objects/PyxEntityBigTeeth.h"
#include "game/objects/QxTrajectoryLine.h"
#include "game/rules/PyxGameServices.h"
#include "game/rules/PyxGameplay.h"
#include "game/rules/PyxGameplayOwner.h"
#include "game/rules/RulesTestSupport.h"
#include "support/TestPrototype.h"

namespace boardcontent {

inline constexpr const char* kNamedParts[] = {"SideBar", "Score",     "Coins",     "Time",  "Lives",
                                              "Level",   "DispText1", "DispText2", "Teeth", "Clock",
                                              "Mascot",  "Notice",    "SoundOff"};

class BoardSceneType : public QxEntity2DSceneType {
public:
    explicit BoardSceneType(QxDefinition* definition) : QxEntity2DSceneType(definition) {
        for (const char* name : kNamedParts)
            named[name] = AddNamedElement(name, definition);
        if (definition && definition->FindKey("LevelSet"))
            definition->ReadString(levelSet);
    }
    std::unique_ptr<QxEntityBase> CreateEntity() override;

    std::map<std::string, ElementRecord*> named;
    std::string levelSet;
};

class BoardScene : public QxEntity2DScene, public PyxGameplayOwner {
public:
    explicit BoardScene(BoardSceneType* type) : QxEntity2DScene(type) {}

    BoardSceneType* BoardType() const { return static_cast<BoardSceneType*>(Type()); }

    bool GetString(int id, std::string& text) override {
        if (id == kPropLevelSet) {
            text = BoardType()->levelSet;
            return true;
        }
        return QxEntity2DScene::GetString(id, text);
    }
    QxEntity2DGUIElement* NamedElement(const std::string& name) override {
        auto found = BoardType()->named.find(name);
        return found == BoardType()->named.end() || !found->second ? nullptr
                                                                   : found->second->element.get();
    }
    // The jaws close from above the screen until their teeth meet over the middle of
    // the board, then open again (as content/data/hud/stdgame.ent moves them).
    std::int32_t StepJaws() override {
        auto* teeth = dynamic_cast<PyxEntityBigTeeth*>(NamedElement("Teeth"));
        if (!teeth)
            return kJawsNone;
        if (jawPhase == 0) {
            teeth->SetTrajectory(Path(-410.0f, -116.0f));
            jawPhase = 1;
        }
        QxTrajectoryBase* path = teeth->Trajectory();
        if (!path || path->Progress() < 1.0f)
            return kJawsMoving;
        if (jawPhase == 1) {
            teeth->SetTrajectory(Path(-116.0f, -410.0f));
            jawPhase = 2;
            return kJawsClosed;
        }
        teeth->SetTrajectory(nullptr);
        jawPhase = 0;
        return kJawsNone;
    }

    static std::unique_ptr<QxTrajectoryBase> Path(float from, float to) {
        std::unique_ptr<QxTrajectoryBase> path =
            MakeLineTrajectory(0.0f, from, 0.0f, to, 4.0f, true);
        if (path)
            path->SetParameter(QxTrajectoryBase::kSpeed, 700.0f);
        return path;
    }

    int jawPhase = 0;
};

inline std::unique_ptr<QxEntityBase> BoardSceneType::CreateEntity() {
    return std::make_unique<BoardScene>(this);
}

inline const testsupport::TestPrototype<BoardSceneType> kBoardScenePrototype;

// The game screen with the rules of one game, run frame by frame.
class BoardGameTest : public DataSetTest {
protected:
    void SetUp() override {
        DataSetTest::SetUp();
        if (IsSkipped() || HasFatalFailure()) {
            return;
        }
        Registry().Register(&kBoardScenePrototype, "BoardTestGame");
        SetGameServices(&services_);
        g_gameSettings = GameSettings{};
        g_gameSettings.showHints = 0;
        // The pointer rests over the board, where a player's would be.
        g_mouseState = QxMouseState{};
        g_mouseState.x = 300;
        g_mouseState.y = 330;
        LoadEverything();
    }
    void TearDown() override {
        game_.reset();
        scene_.reset();
        SetGameServices(nullptr);
        g_gameSettings = GameSettings{};
        g_mouseState = QxMouseState{};
        DataSetTest::TearDown();
    }

    // The game screen as its definition describes it, under the test's class, and a
    // fresh scene with new rules on it.
    bool CreateScene(const std::string& definitionText) {
        if (!Registry().FindType("BoardTestGame", "stdgame")) {
            std::string text = definitionText;
            const std::string from = "class PyxStdGame";
            const std::size_t at = text.find(from);
            if (at != std::string::npos)
                text.replace(at, from.size(), "class BoardTestGame");
            QxDefinition definition(text);
            if (!Registry().DefineType(definition, false))
                return false;
        }
        game_.reset();
        scene_.reset(static_cast<BoardScene*>(
            Registry().Create("BoardTestGame", "stdgame", kKindAny).release()));
        if (!scene_)
            return false;
        scene_->Type()->Load(false);
        // The game screen shows its sign only while the sounds are off.
        if (QxEntity2DGUIElement* sign = scene_->NamedElement("SoundOff"))
            sign->SetVisible(false);
        game_ = std::make_unique<PyxGameplay>(scene_.get());
        return true;
    }

    // A frame as the game scene runs it.
    void Frame(float ms = 16.0f) {
        if (!scene_->IsModal())
            game_->Update(ms);
        scene_->Update(ms);
        g_screen->MarkDirty(QxRect{0, 640, 0, 480}, true);
        scene_->Draw();
    }
    void Frames(int count, float ms = 16.0f) {
        for (int i = 0; i < count; ++i)
            Frame(ms);
    }

    // With RONDELIX_SHOTS naming a folder, the frames worth seeing are kept there: the
    // README's screenshots come from them (scripts/screenshots).
    void SaveShot(const std::string& name) {
        const char* folder = std::getenv("RONDELIX_SHOTS");
        QxSurfaceDesc desc{};
        if (!folder || !Screen().LockBackBuffer(&desc))
            return;
        SavePng(std::string(folder) + "/" + name + ".png",
                reinterpret_cast<const std::uint16_t*>(desc.pixels), desc.width, desc.height,
                desc.pitch);
        Screen().UnlockBackBuffer();
    }

    rulestest::RecordingServices services_; // of which these games need none
    std::unique_ptr<BoardScene> scene_;
    std::unique_ptr<PyxGameplay> game_;
};

} // namespace boardcontent
