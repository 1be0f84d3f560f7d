#pragma once
// The entity classes the program registers at start-up, in registration order.

#include <vector>

class QxEntityRegistry;
class QxEntityTypePrototype;

struct QxRegistration {
    const char* className;
    const QxEntityTypePrototype* prototype;
};

// Every class, in order; the prototypes are static objects of the program.
const std::vector<QxRegistration>& RegistrationTable();

// Registers every class of the table in order. False when any name was refused.
bool RegisterEntityClasses(QxEntityRegistry& registry);
