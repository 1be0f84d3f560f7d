#pragma once
// The prototype of a test's own entity type: makes a `Type` from the definition.

#include <memory>

#include "engine/entity/QxEntityBase.h"
#include "engine/entity/QxEntityRegistry.h"

namespace testsupport {

template <typename Type> class TestPrototype : public QxEntityTypePrototype {
public:
    std::unique_ptr<QxEntityBaseType> CreateType(QxDefinition& definition) const override {
        return std::make_unique<Type>(&definition);
    }
};

} // namespace testsupport
