#include "engine/gui/DialogFixture.h"

#include <array>
#include <string>

#include "app/GameSettings.h"
#include "engine/gui/PyxHighScore.h"
#include "engine/gui/QxEntity2DGUIText.h"
#include "engine/gui/QxEntityDialogScene.h"
#include "engine/gui/QxEntityHighScoreInputScene.h"
#include "engine/gui/QxEntityHighScoreScene.h"
#include "engine/gui/QxHighScoreTable.h"

namespace {

std::string TextOf(QxEntity2DGUIElement* element) {
    std::string text;
    if (element != nullptr) {
        element->GetString(kPropTextGet, text);
    }
    return text;
}

// A menu as the game will write one: it shows the table's rows.
class RowsMenu : public QxEntityHighScoreScene {
public:
    using QxEntityHighScoreScene::QxEntityHighScoreScene;
    void ShowRows() { ShowTableRows(); }
};

} // namespace

class HighScoreSceneTest : public DialogFixture {
protected:
    void SetUp() override {
        DialogFixture::SetUp();
        g_highScoreTable.Clear();
        for (int i = 0; i < 5; ++i) {
            g_highScoreTable.Insert(PyxHighScore("P" + std::to_string(i), 1000 - 100 * i, 2),
                                    false);
        }
        g_lastHighscoreName = "Ann";
    }

    void TearDown() override {
        scene_.reset();
        g_pendingHighScore.reset();
        g_highScoreTable.Clear();
        g_lastHighscoreName.clear();
        g_highScoreMessage1.clear();
        g_highScoreMessage2.clear();
        DialogFixture::TearDown();
    }

    // The game's hand-over: an entry with the last name, then the scene.
    void FinishGame(std::uint32_t score, std::uint32_t level) {
        g_pendingHighScore = std::make_unique<PyxHighScore>(g_lastHighscoreName, score, level);
        g_highScoreMessage1 = "Congratulations! You scored " + std::to_string(score) + " points!";
        g_highScoreMessage2 = "";
        scene_ = Create<QxEntityHighScoreScene>("QxHighScoreScene", "scores", kKindScene);
        ASSERT_NE(scene_, nullptr);
    }

    QxEntityDialogScene* NameDialog() const {
        return scene_->DialogCount() == 1 ? dynamic_cast<QxEntityDialogScene*>(scene_->Dialog(0))
                                          : nullptr;
    }

    QxEntityHighScoreInputScene* NameContent() const {
        QxEntityDialogScene* dialog = NameDialog();
        return dialog ? dynamic_cast<QxEntityHighScoreInputScene*>(dialog->ContentScene())
                      : nullptr;
    }

    // Characters reach scenes as the game hands them on: sign-extended bytes.
    void Type(const std::string& keys) {
        for (char key : keys) {
            scene_->OnKey(static_cast<signed char>(key));
        }
    }

    std::unique_ptr<QxEntityHighScoreScene> scene_;
};

// Typing replaces the offered name, with any Latin-1 letters.
TEST_F(HighScoreSceneTest, TheNewEntryIsOnDiskAtOnceAndAgainWithItsName) {
    const std::string file = DataFolder() + "Scores.rd";
    ASSERT_TRUE(g_highScoreTable.Save(file));
    ASSERT_TRUE(g_highScoreTable.Load(file, PyxHighScore()));
    auto onDisk = [&file](int index) {
        QxHighScoreTable table;
        table.Load(file, PyxHighScore());
        const QxHighScore* entry = table.Entry(index);
        return entry != nullptr ? entry->name + " " + std::to_string(entry->score) : "";
    };
    FinishGame(750, 4);
    EXPECT_EQ(onDisk(3), "Ann 750");
    EXPECT_EQ(scene_->NewIndex(), 3);
    scene_->Update(16.0f);
    EXPECT_TRUE(NameContent()->InputType()->NameEntry()->IsEditing());
    Type("\xD6sa J\xFF");
    EXPECT_EQ(NameContent()->Name(), "\xD6sa J\xFF");
    scene_->OnKey(kKeyEnter);
    EXPECT_EQ(onDisk(3), "\xD6sa J\xFF 750");
    EXPECT_EQ(g_lastHighscoreName, "\xD6sa J\xFF");
}

TEST_F(HighScoreSceneTest, EmptyNameIsStoredAsQFS) {
    FinishGame(2000, 9);
    scene_->Update(16.0f);
    scene_->OnKey(8); // the first key empties the entry; backspace leaves it empty
    EXPECT_EQ(NameContent()->Name(), "");
    EXPECT_TRUE(ClickAt(*scene_, Centre(NameContent()->InputType()->OKButton()->GetRect())));
    EXPECT_EQ(g_highScoreTable.Entry(0)->name, "QFS");
    EXPECT_EQ(g_lastHighscoreName, "QFS");
}

TEST_F(HighScoreSceneTest, RowsShowTheRealTableAndMarkTheNewEntry) {
    g_pendingHighScore = std::make_unique<PyxHighScore>("Cat", 850, PyxHighScore::kCompletedLevel);
    auto* type = dynamic_cast<QxEntityHighScoreSceneType*>(
        Registry().FindType("QxHighScoreScene", "scores"));
    ASSERT_NE(type, nullptr);
    RowsMenu menu(type);
    menu.ShowRows();
    EXPECT_EQ(TextOf(type->NameElement(0)), "P0");
    EXPECT_EQ(TextOf(type->ScoreElement(0)), "1000");
    EXPECT_EQ(TextOf(type->NameElement(2)), "Cat");
    EXPECT_EQ(TextOf(type->ScoreElement(2)), "850");
    EXPECT_EQ(TextOf(type->NameElement(5)), "P4");
    EXPECT_EQ(TextOf(type->NameElement(6)), "");
    EXPECT_EQ(TextOf(type->ScoreElement(9)), "");
    EXPECT_EQ(type->NameElement(4)->GetPosition().y, 227 + 15 * 4);
    EXPECT_EQ(type->Arrow()->GetPosition(), (QxPoint{34, 227 + 15 * 2}));

    menu.FinishEntry();
    menu.ShowRows();
    EXPECT_EQ(type->Arrow()->GetPosition(), (QxPoint{34, 227 + 15 * 2}));
}
