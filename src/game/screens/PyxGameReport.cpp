#include "game/screens/PyxGameReport.h"

#include "app/PyxGame.h"
#include "engine/entity/QxEntityBase.h"
#include "engine/gui/QxEntity2DScene.h"
#include "game/rules/PyxGameplay.h"

namespace {

const char* StateName(PyxGameState state) {
    switch (state) {
    case PyxGameState::Playing:
        return "Playing";
    case PyxGameState::Paused:
        return "Paused";
    case PyxGameState::LevelWon:
        return "LevelWon";
    case PyxGameState::LevelWonWait:
        return "LevelWonWait";
    case PyxGameState::NextLevel:
        return "NextLevel";
    case PyxGameState::GameEnding:
        return "GameEnding";
    default:
        return "none";
    }
}

} // namespace

void PyxDescribeGame(PyxGameReport& report) {
    report.scene.clear();
    if (PyxGame* game = ThePyxGame()) {
        if (QxEntity2DScene* scene = game->CurrentScene()) {
            report.scene = scene->Type()->ClassName();
        }
    }
    report.state = "none";
    report.level = report.score = report.lives = report.coins = 0;
    if (const PyxGameplay* gameplay = GameInProgress()) {
        report.state = StateName(gameplay->State());
        report.level = gameplay->LevelIndex() + 1;
        report.score = gameplay->Score();
        report.lives = gameplay->Lives();
        report.coins = gameplay->CoinsHeld();
    }
}

std::string PyxReportText(const PyxGameReport& report) {
    return "scene=" + report.scene + "\nframes=" + std::to_string(report.frames) +
           "\nstate=" + report.state + "\nlevel=" + std::to_string(report.level) +
           "\nscore=" + std::to_string(report.score) + "\nlives=" + std::to_string(report.lives) +
           "\ncoins=" + std::to_string(report.coins) + "\n";
}
