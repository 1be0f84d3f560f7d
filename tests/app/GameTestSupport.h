#pragma once
// A small game data set the game-flow tests write themselves, and a fixture that builds
// the services the way the main function does and runs the real game object.

#include <chrono>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <map>
#include <memory>
#include <string>
#include <system_error>
#include <thread>
#include <vector>

#include <gtest/gtest.h>

#include "app/GameSettings.h"
#include "app/PyxGame.h"
#include "app/QxGlobals.h"
#include "app/QxInputQueue.h"
#include "app/QxMouseState.h"
#include "app/QxWin32SettingsManager.h"
#include "engine/entity/QxDefinition.h"
#include "engine/entity/QxEntityRegistry.h"
#include "engine/files/QxBitmapFile.h"
#include "engine/files/QxFileLE.h"
#include "engine/files/QxFileSystem.h"
#include "engine/files/QxImage.h"
#include "engine/files/QxResourceCache.h"
#include "engine/files/QxWin32FileManager.h"
#include "engine/gui/QxEntity2DGUIElement.h"
#include "engine/gui/QxEntity2DScene.h"
#include "engine/gui/QxEntityHighScoreScene.h"
#include "engine/gui/QxHighScoreTable.h"
#include "engine/gui/WidgetTestSupport.h"
#include "engine/screen/QxWin32Screen2D.h"
#include "engine/sound/QxWin32SoundManager.h"
#include "platform/headless/Headless.h"
#include "platform/headless/HeadlessMessages.h"
#include "support/TestFiles.h"

namespace gametest {

inline std::string FreshFolder(const std::string& what) {
    return testsupport::FreshFolder("game", false, what);
}
inline void WriteFile(const std::string& path, const std::string& bytes) {
    testsupport::WriteText(path, bytes);
}
inline std::string ReadFile(const std::string& path) {
    return testsupport::ReadText(path);
}

// Writes a file through the engine's file writer, making the folders on the way.
template <typename Write> bool WriteWith(const std::string& path, Write write) {
    std::error_code ec;
    std::filesystem::create_directories(std::filesystem::path(path).parent_path(), ec);
    std::FILE* handle = std::fopen(path.c_str(), "wb");
    if (handle == nullptr) {
        return false;
    }
    bool written = false;
    {
        QxFileLE file(handle);
        written = write(file);
    }
    std::fclose(handle);
    return written;
}

inline bool WriteBitmap(const std::string& path, const QxImage& image) {
    return WriteWith(path, [&](QxFile& file) { return QxBitmapFile::Write(file, image); });
}

// Where the data set puts the 40 x 20 buttons of each scene.
inline const std::map<std::string, QxPoint>& ButtonPlaces() {
    static const std::map<std::string, QxPoint> places = {
        {"Quit", {10, 10}},
        {"WebPage", {60, 10}},
        {"Settings", {110, 10}},
        {"HighScores", {160, 10}},
        {"StandardGame", {210, 10}},
        {"Help", {260, 10}},
        {"SoundToggle", {10, 100}},
        {"FullScreenToggle", {60, 100}},
        {"HintToggle", {110, 100}},
        {"OK", {160, 100}},
        {"Done", {210, 100}},
        {"MusicVolumeDown", {10, 150}},
        {"MusicVolumeUp", {60, 150}},
        {"EffectsVolumeDown", {110, 150}},
        {"EffectsVolumeUp", {160, 150}},
        {"MusicVolumeBar", {210, 150}},
        {"EffectsVolumeBar", {260, 150}},
    };
    return places;
}

// A point strictly inside the named button.
inline QxPoint ButtonCentre(const std::string& name) {
    const QxPoint place = ButtonPlaces().at(name);
    return QxPoint{place.x + 20, place.y + 10};
}

inline std::string NamedButton(const std::string& name, const std::string& typeName) {
    const QxPoint place = ButtonPlaces().at(name);
    return name + "Ent " + typeName + "\n" + name + "EntPos " + std::to_string(place.x) + ", " +
           std::to_string(place.y) + "\n";
}

// The menus of the game over one picture, one button look and one font.
inline void WriteMenuDataSet(const std::string& folder) {
    const std::string trans = "TransType 0\n";
    WriteBitmap(folder + "/box.bmp", widgettest::Solid(40, 20, QxColour(200, 100, 40)));
    WriteBitmap(folder + "/lit.bmp", widgettest::Solid(40, 20, QxColour(40, 200, 100)));
    const std::string chars = " 0123456789.:VerQFSAbcdeghilmnoprstuvw";
    WriteBitmap(folder + "/font.bmp", widgettest::GlyphSheet(chars, true, QxColour(255, 255, 255)));

    WriteFile(folder + "/gui/box.ent", "class sprite\ntype box\nimage box.bmp\n");
    WriteFile(folder + "/gui/lit.ent", "class sprite\ntype lit\nimage lit.bmp\n");
    WriteFile(folder + "/gui/bar.ent", "class progressbar\ntype bar\nimage box.bmp\n");
    WriteFile(folder + "/gui/button.ent", "class button\ntype plain\nMainImageEnt sprite, box\n");
    WriteFile(folder + "/gui/litbutton.ent", "class button\ntype lit\nMainImageEnt sprite, lit\n");
    WriteFile(folder + "/gui/toggle.ent", "class togglebutton\ntype plain\nNumStates 2\n"
                                          "Button1Ent button, plain\nButton2Ent button, lit\n");
    WriteFile(folder + "/gui/font.ent", "class font\ntype small\nimage font.bmp\ntransparent 1\n"
                                        "chars \"" +
                                            chars + "\"\ncharwidth 8\ncharheight 10\n");
    WriteFile(folder + "/gui/label.ent", "class text\ntype label\nFontEnt font, small\n");

    WriteFile(folder + "/LoadingScene.ent", "class PyxLoadingScene\ntype loadingscene\n"
                                            "ProgressBarEnt progressbar, bar\n"
                                            "ProgressBarEntPos 100, 400\n" +
                                                trans);
    std::string menu = "class PyxMainMenu\ntype mainmenu\n" + trans;
    for (const char* name : {"Quit", "WebPage", "Settings", "HighScores", "StandardGame", "Help"}) {
        menu += NamedButton(name, "button, plain");
    }
    menu += "VerEnt text, label\nVerEntPos 600, 460\n";
    WriteFile(folder + "/scenes/mainmenu.ent", menu);

    std::string settings = "class PyxSettingsMenu\ntype settingsmenu\n" + trans;
    for (const char* name : {"SoundToggle", "FullScreenToggle", "HintToggle"}) {
        settings += NamedButton(name, "togglebutton, plain");
    }
    for (const char* name :
         {"MusicVolumeDown", "MusicVolumeUp", "EffectsVolumeDown", "EffectsVolumeUp"}) {
        settings += NamedButton(name, "button, plain");
    }
    settings += NamedButton("MusicVolumeBar", "progressbar, bar");
    settings += NamedButton("EffectsVolumeBar", "progressbar, bar");
    settings += NamedButton("OK", "button, plain");
    WriteFile(folder + "/scenes/settingsmenu.ent", settings);

    WriteFile(folder + "/gui/entry.ent", "class text\ntype entry\nFontEnt font, small\n");
    WriteFile(folder + "/gui/frame.ent", "class QxVectorFrame\ntype frame\nHasTitle 1\n"
                                         "TitleHeight 14\nTitleTextEnt text, label\n");
    WriteFile(folder + "/gui/messagebox.ent",
              "class QxMessageBox\ntype messagebox\nFrameEnt QxVectorFrame, frame\n"
              "TextEnt text, label\nOKButtonEnt button, plain\nYesButtonEnt button, plain\n"
              "NoButtonEnt button, lit\n");
    WriteFile(folder + "/gui/scoreinput.ent",
              "class QxHighScoreInputScene\ntype scoreinput\nNameEntryEnt text, entry\n"
              "NameEntryEntPos 6, 4\nOKButtonEnt button, plain\nOKButtonEntPos 62, 22\n");
    WriteFile(folder + "/gui/scoreinputbox.ent",
              "class QxDialogScene\ntype scoreinputbox\nFrameEnt QxVectorFrame, frame\n"
              "Width 200\nHeight 84\nSceneEnt QxHighScoreInputScene, scoreinput\n");
    WriteFile(folder + "/gui/hinttext.ent", "class 2DScene\ntype hinttext\nNumGUIElements 1\n"
                                            "GUIElement1Ent text, label\nGUIElement1Pos 4, 4\n");
    WriteFile(folder + "/gui/hint3.ent",
              "class PyxHintBox\ntype hint3\nFrameEnt QxVectorFrame, frame\nWidth 300\n"
              "Height 120\nSceneEnt 2DScene, hinttext\nCloseButtonEnt button, plain\n"
              "DontShowButtonEnt togglebutton, plain\nDontShowTextEnt text, label\n");

    std::string scores = "class PyxHighScores\ntype highscores\n" + trans;
    for (int row = 1; row <= 10; ++row) {
        const std::string n = std::to_string(row);
        scores += "Name" + n + "Ent text, label\nName" + n + "EntPos 60, 0\n";
        scores += "Level" + n + "Ent text, label\nLevel" + n + "EntPos 300, 0\n";
        scores += "Score" + n + "Ent text, label\nScore" + n + "EntPos 400, 0\n";
    }
    scores += "CongratsEnt text, label\nCongratsEntPos 320, 150\n";
    scores += "Congrats2Ent text, label\nCongrats2EntPos 320, 170\n";
    scores += "ArrowEnt sprite, box\n" + NamedButton("Done", "button, plain");
    WriteFile(folder + "/scenes/highscores.ent", scores);

    WriteFile(folder + "/scenes/instructions.ent", "class PyxInstructions\ntype instructions\n" +
                                                       trans + NamedButton("OK", "button, plain"));
}

// A level of 6 x 3 floor cells with the start at (1, 1), as level text.
inline std::string SmallLevelText() {
    return "Columns 6\nRows 3\nTileWidth 56\nTileHeight 56\nBorderX 0\nBorderY 0\n"
           "StartCol 1\nStartRow 1\nStartDirX 1\nStartDirY 0\nLevelTime 84\n"
           "CoinsNeeded 3\nCoinsOnBoard 2\nExitAtRandomTile 1\n"
           "Tile . PyxBitmapTile floor\nGrid\n......\n......\n......\nEnd\n";
}

// The board and the game screen over the menu data set: floor, exit and trap tiles,
// the player's balls, a coin, the board element, the jaws, and the game screen whose
// level set is "levels.lst" (`levelSet` changes it).
inline void WriteBoardDataSet(const std::string& folder, const std::string& levelSet = "levels.lst",
                              bool withTeeth = true) {
    WriteFile(folder + "/board/floor.ent", "class PyxBitmapTile\ntype floor\n");
    WriteFile(folder + "/board/trap.ent", "class PyxSinkTile\ntype trap\nIsTrap 1\n");
    WriteFile(folder + "/board/exit.ent", "class PyxSinkTile\ntype exit\n");
    WriteFile(folder + "/board/renderball.ent", "class PyxRenderedBall\ntype renderball\n");
    WriteFile(folder + "/board/spikedball.ent",
              "class PyxAnimSpriteBall\ntype spikedball\nRadius 20\n");
    WriteFile(folder + "/board/coin.ent", "class PyxAnimAward\ntype coinsilver\n");
    WriteFile(folder + "/hud/board.ent", "class Pyx2DGUIBoard\ntype board\n");
    WriteFile(folder + "/hud/teeth.ent", "class PyxBigTeeth\ntype teeth\nImageEnt sprite, box\n");
    std::string game = "class PyxStdGame\ntype stdgame\nTransType 0\nLevelSet " + levelSet +
                       "\nNumGUIElements 1\nGUIElement1Ent Pyx2DGUIBoard, board\n"
                       "GUIElement1Pos 0, 0\n";
    if (withTeeth) {
        game += "TeethEnt PyxBigTeeth, teeth\nTeethEntPriority 800\n";
    }
    game += "SoundOffEnt sprite, box\n";
    WriteFile(folder + "/scenes/stdgame.ent", game);
}

// ---- a running game over the data set ------------------------------------------------

// Builds the services in the main function's order over a data folder, runs the game
// object's Init and then frames on demand. The shutdown runs in TearDown (or earlier
// through Stop).
class GameFixture : public testing::Test {
protected:
    void SetUp() override {
        folder_ = FreshFolder("");
        platform::headless::SetRoot(folder_ + "/home");
        platform::headless::ClearSpecialFolderOverrides();
        platform::headless::UseManualClock(false);
        platform::headless::ClearWindowMessages();
        platform::headless::ClearIdleSteps();
        platform::headless::ClearOpenedWebPages();
        g_gameSettings = GameSettings{};
        g_gameSettings.fullScreen = 0;
        g_lastHighscoreName.clear();
        g_inputQueue.Clear();
        g_mouseState = QxMouseState{};
        g_highScoreTable.Clear();
        g_pendingHighScore.reset();
        g_modeChangeInProgress = 0;
    }

    void TearDown() override { Stop(); }

    std::string DataFolder() const { return folder_ + "/data/"; }

    // The menu data set and the music it plays.
    void WriteMenus() const {
        WriteMenuDataSet(DataFolder());
        WriteFile(DataFolder() + "common/sounds/jazz_rond_8bit.wav", testsupport::PcmWav(800));
    }

    // Builds the services and runs Init with the given game object (a PyxGame when
    // null).
    void Start(std::unique_ptr<PyxGame> game = nullptr) {
        game_ = game ? std::move(game) : std::make_unique<PyxGame>();
        screen_ = std::make_unique<QxWin32Screen2D>();
        fileSystem_ = std::make_unique<QxFileSystem>();
        cache_ = std::make_unique<QxResourceCache>();
        sound_ = std::make_unique<QxWin32SoundManager>();
        settings_ = std::make_unique<QxWin32SettingsManager>("Quillfern Studio", "Rondelix");
        g_game = game_.get();
        g_resourceCache = cache_.get();
        g_screen = screen_.get();
        fileSystem_->AddManager(std::make_unique<QxWin32FileManager>(),
                                DataFolder() + "Resources/");
        fileSystem_->AddManager(std::make_unique<QxWin32FileManager>(), DataFolder());
        SetCurrentFileSystem(fileSystem_.get());
        g_soundManager = sound_.get();
        g_settingsManager = settings_.get();
        game_->SetWorkingFolder(DataFolder());
        game_->Init();
        started_ = true;
    }

    // Waits (really) for the loading thread.
    void WaitForLoader() const {
        while (!game_->IsBackgroundLoadDone()) {
            std::this_thread::sleep_for(std::chrono::milliseconds(1));
        }
    }

    // Starts the game and lets it reach the main menu.
    void StartAtMainMenu() {
        Start();
        WaitForLoader();
        RunUntilScene("PyxMainMenu", 5000);
        Settle();
    }

    // Frames until no transition runs.
    void Settle(float ms = 10.0f) {
        for (int i = 0; i < 1000 && game_->IsTransitionActive(); ++i) {
            RunFrame(ms);
        }
    }

    // One frame of `ms` with the events queued before it.
    void RunFrame(float ms = 10.0f, const std::vector<QxInputEvent>& events = {}) {
        g_inputQueue.Push(
            QxInputEvent::Make(QxInputKind::Tick, static_cast<std::uint32_t>(ms * 10.0f)));
        for (const QxInputEvent& event : events) {
            g_inputQueue.Push(event);
        }
        game_->Frame(g_inputQueue);
    }

    void RunFrames(int count, float ms = 10.0f) {
        for (int i = 0; i < count; ++i) {
            RunFrame(ms);
        }
    }

    // Frames until the current scene's class is the one named; false after `limit`.
    bool RunUntilScene(const std::string& className, int limit, float ms = 10.0f) {
        for (int i = 0; i < limit; ++i) {
            if (SceneClass() == className) {
                return true;
            }
            RunFrame(ms);
        }
        return SceneClass() == className;
    }

    std::string SceneClass() const {
        QxEntity2DScene* scene = game_ ? game_->CurrentScene() : nullptr;
        return scene != nullptr ? scene->Type()->ClassName() : std::string();
    }

    // A click (button down and up) at the point.
    void Click(QxPoint point, float ms = 10.0f) {
        RunFrame(ms, {QxInputEvent::MouseMove(static_cast<std::int16_t>(point.x),
                                              static_cast<std::int16_t>(point.y)),
                      QxInputEvent::Make(QxInputKind::LeftDown)});
        RunFrame(ms, {QxInputEvent::Make(QxInputKind::LeftUp)});
    }

    void PressKey(std::int32_t code, float ms = 10.0f) {
        RunFrame(ms, {QxInputEvent::Make(QxInputKind::KeyDown, static_cast<std::uint32_t>(code))});
    }

    void Stop() {
        if (started_) {
            game_->Shutdown();
            started_ = false;
        }
        g_inputQueue.Clear();
        g_pendingHighScore.reset();
        g_settingsManager = nullptr;
        g_soundManager = nullptr;
        SetCurrentFileSystem(nullptr);
        g_screen = nullptr;
        g_resourceCache = nullptr;
        g_game = nullptr;
        settings_.reset();
        sound_.reset();
        cache_.reset();
        fileSystem_.reset();
        screen_.reset();
        game_.reset();
        platform::headless::SetRoot("");
    }

    std::string ReadLog() const {
        if (!settings_) {
            return {};
        }
        return ReadFile(settings_->UserDataFolder("") + "log.txt");
    }

    std::string folder_;
    bool started_ = false;
    std::unique_ptr<PyxGame> game_;
    std::unique_ptr<QxWin32Screen2D> screen_;
    std::unique_ptr<QxFileSystem> fileSystem_;
    std::unique_ptr<QxResourceCache> cache_;
    std::unique_ptr<QxWin32SoundManager> sound_;
    std::unique_ptr<QxWin32SettingsManager> settings_;
};

} // namespace gametest
