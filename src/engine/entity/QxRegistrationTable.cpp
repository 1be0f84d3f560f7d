#include "engine/entity/QxRegistrationTable.h"

#include "engine/entity/QxEntityRegistry.h"
#include "engine/files/QxLog.h"

#include <string>

// One include per registered class goes here.

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
    static const std::vector<QxRegistration> table = {};
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
