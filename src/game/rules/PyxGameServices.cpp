#include "game/rules/PyxGameServices.h"

#include <utility>

#include "app/PyxGame.h"
#include "app/QxGlobals.h"
#include "engine/gui/QxEntityHighScoreScene.h"
#include "engine/gui/QxHighScore.h"

namespace {

// The link to the running game object. Without one (tools, tests) a quit request is
// still remembered, so the rules stop, and scene requests go nowhere.
class GameObjectServices : public PyxGameServices {
public:
    void RequestScene(const std::string& className, const std::string& typeName,
                      std::int32_t transition) override {
        if (g_game) {
            g_game->RequestScene(className, typeName, transition);
        }
    }
    void RequestQuit() override {
        m_quit = true;
        if (g_game) {
            g_game->RequestQuit();
        }
    }
    bool QuitRequested() override { return g_game ? g_game->IsQuitRequested() : m_quit; }
    void SetFullScreenKeyAllowed(bool allowed) override {
        if (PyxGame* game = ThePyxGame()) {
            game->SetFullScreenKeyAllowed(allowed);
        }
    }
    void HandOverHighScore(std::unique_ptr<QxHighScore> entry, const std::string& first,
                           const std::string& second, const std::string& tableFile) override {
        g_pendingHighScore = std::move(entry);
        g_pendingHighScoreTable = tableFile;
        g_highScoreMessage1 = first;
        g_highScoreMessage2 = second;
    }

private:
    bool m_quit = false;
};

PyxGameServices* g_services = nullptr;

PyxGameServices& GameObjectLink() {
    static GameObjectServices link;
    return link;
}

} // namespace

PyxGameServices& GameServices() {
    return g_services ? *g_services : GameObjectLink();
}

void SetGameServices(PyxGameServices* services) {
    g_services = services;
}
