#include "game/editor/PyxEditorRows.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <span>

#include "game/editor/PyxEditorPalette.h"

namespace {

constexpr PyxEditorRowInfo kRows[] = {
    {"Level time", "Seconds on the clock; the lights left are the bonus"},
    {"Coins needed", "Coins the player collects to open the exit"},
    {"Coins on board", "Coins lying on the board at a time"},
    {"Roaming balls", "Balls released through vortexes to chase"},
    {"Ball colour", "The colour of the roaming balls"},
    {"Release every", "Seconds between two releases"},
    {"Ball speed", "How fast roaming balls roll, in cells a second"},
    {"Exit", "Where the exit opens once enough coins are held"},
};

std::string BallColourOf(const std::string& type) {
    // "boardgreen" reads as "green".
    constexpr std::string_view kPrefix = "board";
    return type.rfind(kPrefix, 0) == 0 ? type.substr(kPrefix.size()) : type;
}

} // namespace

const PyxEditorRowInfo& PyxEditorRowOf(PyxEditorRow row) {
    const auto index = static_cast<std::size_t>(row);
    return kRows[std::min(index, std::size(kRows) - 1)];
}

std::string PyxEditorRowValue(const PyxLevelDraft::Settings& settings, PyxEditorRow row) {
    char text[32] = "";
    switch (row) {
    case PyxEditorRow::LevelTime:
        std::snprintf(text, sizeof text, "%d s", settings.levelTime);
        break;
    case PyxEditorRow::CoinsNeeded:
        std::snprintf(text, sizeof text, "%d", settings.coinsNeeded);
        break;
    case PyxEditorRow::CoinsOnBoard:
        std::snprintf(text, sizeof text, "%d", settings.coinsOnBoard);
        break;
    case PyxEditorRow::RoamingBalls:
        std::snprintf(text, sizeof text, "%d", settings.roamingBalls);
        break;
    case PyxEditorRow::BallColour:
        return BallColourOf(settings.ballType);
    case PyxEditorRow::ReleaseInterval:
        std::snprintf(text, sizeof text, "%d s", settings.releaseInterval);
        break;
    case PyxEditorRow::BallSpeed:
        std::snprintf(text, sizeof text, "%.1f", static_cast<double>(settings.ballSpeed));
        break;
    case PyxEditorRow::Exit:
        return settings.exitAtRandomCell ? "random cell" : "at start";
    case PyxEditorRow::Count:
        break;
    }
    return text;
}

PyxLevelDraft::Settings PyxStepEditorRow(PyxLevelDraft::Settings settings, PyxEditorRow row,
                                         std::int32_t step) {
    const std::int32_t sign = step > 0 ? 1 : (step < 0 ? -1 : 0);
    switch (row) {
    case PyxEditorRow::LevelTime:
        settings.levelTime += 5 * sign;
        break;
    case PyxEditorRow::CoinsNeeded:
        settings.coinsNeeded += sign;
        break;
    case PyxEditorRow::CoinsOnBoard:
        settings.coinsOnBoard += sign;
        break;
    case PyxEditorRow::RoamingBalls:
        settings.roamingBalls += sign;
        break;
    case PyxEditorRow::BallColour: {
        const std::span<const char* const> types = PyxReleasedBallTypes();
        const auto found = std::find(types.begin(), types.end(), settings.ballType);
        const auto count = static_cast<std::int32_t>(types.size());
        std::int32_t index = found == types.end() ? 0 : std::int32_t(found - types.begin());
        index = ((index + sign) % count + count) % count;
        settings.ballType = types[static_cast<std::size_t>(index)];
        break;
    }
    case PyxEditorRow::ReleaseInterval:
        settings.releaseInterval += sign;
        break;
    case PyxEditorRow::BallSpeed:
        // In whole tenths, so repeated steps never drift off the tenths shown.
        settings.ballSpeed =
            static_cast<float>(std::lround(settings.ballSpeed * 10.0f) + sign) / 10.0f;
        break;
    case PyxEditorRow::Exit:
        if (sign != 0) {
            settings.exitAtRandomCell = !settings.exitAtRandomCell;
        }
        break;
    case PyxEditorRow::Count:
        break;
    }
    return PyxLevelDraft::Clamped(settings);
}
