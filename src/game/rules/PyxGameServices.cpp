#include "game/rules/PyxGameServices.h"

#include "engine/gui/QxHighScore.h"

namespace {

// The link used while no game object answers: remembers a quit request so the rules
// stop, and drops scene requests.
class DetachedServices : public PyxGameServices {
public:
    void RequestScene(const std::string&, const std::string&, std::int32_t) override {}
    void RequestQuit() override { m_quit = true; }
    bool QuitRequested() override { return m_quit; }
    void SetFullScreenKeyAllowed(bool) override {}
    void HandOverHighScore(std::unique_ptr<QxHighScore>, const std::string&,
                           const std::string&) override {}

private:
    bool m_quit = false;
};

PyxGameServices* g_services = nullptr;

PyxGameServices& GameObjectLink() {
    static DetachedServices link;
    return link;
}

} // namespace

PyxGameServices& GameServices() {
    return g_services ? *g_services : GameObjectLink();
}

void SetGameServices(PyxGameServices* services) {
    g_services = services;
}
