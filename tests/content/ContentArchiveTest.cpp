// The built data set as the game reads it: every definition file parses and loads
// without a complaint in the log, every name the menus and boxes ask for resolves,
// the fonts cover what they must, the screens draw something, the sounds and the music
// are what the game expects.

#include <cstring>
#include <set>
#include <string>
#include <vector>

#include "content/BoardContentSupport.h"
#include "engine/files/QxFile.h"
#include "engine/gui/PyxHighScore.h"
#include "engine/gui/QxEntity2DGUIFont.h"
#include "engine/gui/QxEntity2DGUIMultiText.h"
#include "engine/gui/QxEntity2DGUIText.h"
#include "engine/gui/QxEntity2DScene.h"
#include "engine/gui/QxEntityDialogScene.h"
#include "engine/gui/QxEntityHighScoreInputScene.h"
#include "engine/gui/QxEntityHighScoreScene.h"
#include "engine/gui/QxEntityMessageBox.h"
#include "engine/gui/QxHighScoreTable.h"

namespace {

using namespace contenttest;

constexpr const char* kFonts[] = {"uismall", "uismallmuted", "uibody", "uibodymuted",
                                  "uibold",  "uigold",       "uititle"};

class ContentArchiveTest : public ContentFixture {
protected:
    // No log line tells of a broken data set.
    void ExpectCleanLog() {
        for (const std::string& line : boardcontent::BrokenNameLines(
                 ReadLog(), {"without", "never closed", "xception", "Unable to Find"}))
            ADD_FAILURE() << line;
    }

    // Every element a scene type lists (named or not) and its cursor exist; texts have
    // their fonts.
    void ExpectElementsResolve(const QxEntity2DScene& scene, const std::string& what) {
        const QxEntity2DSceneType* type = scene.SceneType();
        ASSERT_NE(type, nullptr) << what;
        int n = 0;
        for (const auto& record : type->Elements()) {
            ++n;
            EXPECT_NE(record.element, nullptr)
                << what << ": element " << n << " (" << record.reference.className << ", "
                << record.reference.typeName << ")";
            if (record.element) {
                if (dynamic_cast<QxEntity2DGUIText*>(record.element.get()) != nullptr) {
                    EXPECT_NE(record.element->GetFont(), nullptr) << what << ": element " << n;
                }
            }
        }
        EXPECT_GT(n, 0) << what;
    }

    // Distinct pixel values on the screen: a blank or flat frame has few.
    size_t DistinctColours() const {
        std::set<std::uint16_t> colours;
        for (int y = 0; y < kScreenHeight; y += 2) {
            for (int x = 0; x < kScreenWidth; x += 2) {
                colours.insert(Pixel(x, y));
            }
        }
        return colours.size();
    }

    void DrawScene(QxEntity2DScene& scene) {
        DirtyAll();
        scene.Update(16.0f);
        DirtyAll();
        scene.Draw();
    }

    void SaveScreen(const std::string& name) {
        const std::string path = SaveScreenPng(name);
        EXPECT_FALSE(path.empty());
        KeepForDocs(path, name);
    }
};

TEST_F(ContentArchiveTest, BoxesHaveAllTheirPartsAndHintTextsFit) {
    LoadEverything();
    auto box = Create<QxEntityMessageBox>("QxMessageBox", "messagebox", kKindMessageBox);
    ASSERT_NE(box, nullptr);
    box->SetText("Are you sure you want to quit?");
    box->SetButtons(1 | 2 | 4 | 8);
    for (int slot = 0; slot <= 4; ++slot) {
        EXPECT_NE(box->Part(slot), nullptr) << slot;
    }
    // The box grew around its text and buttons.
    EXPECT_GT(box->GetRect().Width(), 200);
    EXPECT_GT(box->GetRect().Height(), 60);
    // The longest text the game shows in a box keeps it well inside the screen.
    box->SetText("Congratulations you have completed the game!\r\n\r\nClick OK to proceed to "
                 "the high scores.");
    box->SetButtons(1);
    EXPECT_LT(box->GetRect().Width(), 560);
    EXPECT_LT(box->GetRect().Height(), 200);

    auto names = Create<QxEntityDialogScene>("QxDialogScene", "scoreinputbox", kKindDialogBox);
    ASSERT_NE(names, nullptr);
    ASSERT_NE(names->ContentScene(), nullptr);
    EXPECT_TRUE(names->ContentScene()->Type()->IsKind(kKindHighScoreInputScene));
    ExpectElementsResolve(*names->ContentScene(), "scoreinputbox");

    // Every hint's text (the content's MultiText) stays inside the box's face, right
    // of the badge (box x 64) and above the bottom strip (box y 150).
    for (int n = 0; n < 20; ++n) {
        const std::string type = "hint" + std::to_string(n);
        auto hint = Create<QxEntityDialogScene>("PyxHintBox", type, kKindGUIElement);
        ASSERT_TRUE(hint && hint->ContentScene()) << type;
        ExpectElementsResolve(*hint->ContentScene(), type);
        hint->SetPosition(QxPoint{24, 140});
        hint->Update(0.0f);
        const QxRect face = hint->GetRect();
        int texts = 0;
        for (const auto& record : hint->ContentScene()->SceneType()->Elements()) {
            if (auto* text = dynamic_cast<QxEntity2DGUIMultiText*>(record.element.get())) {
                ++texts;
                const QxPoint at = text->GetPosition();
                EXPECT_GE(at.x - face.left, 60) << type;
                EXPECT_LE(at.x + text->TextWidth(), face.right - 10) << type;
                EXPECT_LE(at.y + text->TextHeight(), face.top + 148) << type;
            }
        }
        EXPECT_GT(texts, 0) << type;
    }
    ExpectCleanLog();
}

TEST_F(ContentArchiveTest, FontsMeasureEveryPrintableCharacter) {
    LoadEverything();
    for (const char* name : kFonts) {
        auto* type = dynamic_cast<QxEntity2DGUIFontType*>(Registry().FindType("font", name));
        ASSERT_NE(type, nullptr) << name;
        const QxFontMetrics& metrics = type->Metrics();
        const int cell = metrics.CellAdvance();
        EXPECT_GT(metrics.LineHeight(), 8) << name;
        // ASCII and Latin-1: a player's name may hold any of them.
        for (int c = 32; c <= 255; ++c) {
            if (c > 126 && c < 160) {
                continue;
            }
            const int advance = metrics.advance[size_t(c)];
            // "}" keeps the cell advance: an entry for it would close a block.
            if (c == '}') {
                EXPECT_EQ(advance, cell) << name;
                continue;
            }
            EXPECT_GE(advance, 2) << name << " " << c;
            EXPECT_LT(advance, cell) << name << " " << c;
            // Every printable character but the two spaces has its own cell; the
            // rest (the spaces and anything not on the sheet) draws the blank cell 0.
            if (c != ' ' && c != 160) {
                EXPECT_NE(metrics.glyphIndex[size_t(c)], 0) << name << " " << c;
            }
        }
        EXPECT_EQ(metrics.advance[160], metrics.advance[' ']) << name;
        // Proportional: a narrow letter is narrower than a wide one.
        EXPECT_LT(metrics.advance['i'], metrics.advance['W']) << name;
        EXPECT_LT(metrics.advance[0xEF], metrics.advance[0xC6]) << name; // i and AE
    }
}

TEST_F(ContentArchiveTest, HighScoresAskForTheNameOfANewEntry) {
    LoadEverything();
    g_highScoreTable.Clear();
    // The longest name a file may hold, in letters of every width.
    std::string longest;
    while (longest.size() < 255) {
        longest += "Wilhelmina ";
    }
    longest.resize(255);
    const std::string names[] = {"Marguerite", "Oskar", longest, "Ilse", "Bertram"};
    for (int i = 0; i < 5; ++i) {
        PyxHighScore entry;
        entry.name = names[i];
        entry.score = std::uint32_t(48000 - i * 7400);
        entry.level = std::uint32_t(19 - i * 3);
        g_highScoreTable.Insert(entry, false);
    }
    auto pending = std::make_unique<PyxHighScore>();
    pending->name = "Player";
    pending->score = 31250;
    pending->level = 12;
    g_pendingHighScore = std::move(pending);
    g_highScoreMessage1 = "Congratulations! You scored 31250 points!";
    g_highScoreMessage2 = "You reached level 12.";
    auto scene = Create<QxEntity2DScene>("PyxHighScores", "highscores", kKindScene);
    ASSERT_NE(scene, nullptr);
    scene->Update(0.0f);
    scene->Update(0.0f);
    // The longest first line the rules write (a game completed with a seven-digit
    // score) fits the screen in the font of "Congrats".
    for (const auto& record : scene->SceneType()->Elements()) {
        if (record.reference.typeName == "uicongrats") {
            ASSERT_NE(record.element, nullptr);
            QxEntity2DGUIFont* font = record.element->GetFont();
            ASSERT_NE(font, nullptr);
            EXPECT_LE(font->TextWidth("Congratulations! You've completed the game and scored "
                                      "1234567 points!",
                                      false),
                      620u);
        }
    }
    ASSERT_GE(scene->DialogCount(), 1u); // the name box is open
    // Typed as the game hands characters on: sign-extended.
    const std::string typed = "\xC5sa \xD8"
                              "berg-\xFF\xE6\xDF\xE7";
    for (char key : typed) {
        scene->OnKey(static_cast<signed char>(key));
    }
    for (int i = 0; i < 3; ++i) {
        DrawScene(*scene);
    }
    EXPECT_GT(DistinctColours(), 300u);
    SaveScreen("content-highscores-name.png");
    // Enter takes the name; the table shows the new row, marked.
    scene->OnKey(13);
    for (int i = 0; i < 3; ++i) {
        DrawScene(*scene);
    }
    EXPECT_EQ(scene->DialogCount(), 0u);
    const QxHighScore* entry = g_highScoreTable.Entry(3);
    ASSERT_NE(entry, nullptr);
    EXPECT_EQ(entry->name, typed);
    EXPECT_EQ(entry->score, 31250u);
    SaveScreen("content-highscores-new.png");
    scene.reset();
    g_highScoreTable.Clear();
    g_pendingHighScore.reset();
    ExpectCleanLog();
}

TEST_F(ContentArchiveTest, SoundsLoadAndTheMusicLoops) {
    for (const char* name :
         {"ui/sounds/hover.wav", "ui/sounds/click.wav", "common/sounds/jazz_rond_8bit.wav"}) {
        QxSoundRecord* sound = Cache().GetSound(name);
        EXPECT_NE(sound, nullptr) << name;
        if (sound) {
            Cache().ReleaseSound(sound->key);
        }
    }
    // The music: 8-bit mono PCM that loops for half a minute or more.
    const std::vector<std::uint8_t> wav = FileBytes("common/sounds/jazz_rond_8bit.wav");
    ASSERT_GT(wav.size(), 44u);
    auto u16 = [&](size_t at) { return unsigned(wav[at] | (wav[at + 1] << 8)); };
    auto u32 = [&](size_t at) { return u16(at) | (u16(at + 2) << 16); };
    ASSERT_EQ(std::memcmp(wav.data() + 36, "data", 4), 0);
    EXPECT_EQ(u16(20), 1u); // PCM
    EXPECT_EQ(u16(22), 1u); // mono
    EXPECT_EQ(u16(34), 8u); // 8 bits
    const double seconds = double(u32(40)) / u32(24);
    EXPECT_GE(seconds, 30.0);
    EXPECT_LE(seconds, 60.0);
}

} // namespace
