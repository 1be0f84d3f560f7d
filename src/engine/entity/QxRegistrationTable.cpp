#include "engine/entity/QxRegistrationTable.h"

#include "engine/entity/QxEntityRegistry.h"
#include "engine/files/QxLog.h"

#include <string>

// One include per registered class goes here.
#include "engine/gui/QxEntity2DGUIAnimSprite.h"
#include "engine/gui/QxEntity2DGUIElement.h"
#include "engine/gui/QxEntity2DGUIScrollingSprite.h"
#include "engine/gui/QxEntity2DGUISprite.h"
#include "engine/gui/QxEntity2DScene.h"

namespace {

// The one instance of each prototype, built on first use.
template <typename Prototype> const QxEntityTypePrototype* Instance() {
    static const Prototype prototype;
    return &prototype;
}

} // namespace

const std::vector<QxRegistration>& RegistrationTable() {
    // One line per class, in registration order, e.g.
    //     {"2DGUIElement", Instance<QxEntity2DGUIElementPrototype>()},
    static const std::vector<QxRegistration> table = {
        {"2DGUIElement", Instance<QxEntity2DGUIElementPrototype>()},
        {"2DScene", Instance<QxEntity2DScenePrototype>()},
        {"sprite", Instance<QxEntity2DGUISpritePrototype>()},
        {"scrollingsprite", Instance<QxEntity2DGUIScrollingSpritePrototype>()},
        {"animsprite", Instance<QxEntity2DGUIAnimSpritePrototype>()},
    };
    return table;
}

bool RegisterEntityClasses(QxEntityRegistry& registry) {
    bool all = true;
    for (const QxRegistration& entry : RegistrationTable()) {
        if (!registry.Register(entry.prototype, entry.className)) {
            LogString((std::string(entry.className) + " - already registered.\n").c_str());
            all = false;
        }
    }
    return all;
}
