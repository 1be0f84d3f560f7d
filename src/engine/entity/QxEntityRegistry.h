#pragma once
// The entity registry: prototypes by class name (filled once from the registration
// table) and the entity types that definition files describe, by class and type name.
// Code anywhere creates entities by asking for a class name, a type name and the kind
// it expects.

#include <atomic>
#include <cstdint>
#include <map>
#include <memory>
#include <string>

#include "engine/entity/QxEntityBase.h"

class QxDefinition;
struct QxEntityRef;

// Counters the registry advances while it loads, read by another thread to show a
// loading bar. Owned by whoever shows the progress.
struct QxLoadProgress {
    std::atomic<std::uint32_t> total{0};
    std::atomic<std::uint32_t> done{0};
};

class QxEntityRegistry {
public:
    // Flags of LoadTypes.
    static constexpr std::uint32_t kSkipScenes = 1; // scenes and dialog boxes
    static constexpr std::uint32_t kOnlyLoaded = 2; // types loaded before

    QxEntityRegistry() = default;
    QxEntityRegistry(const QxEntityRegistry&) = delete;
    QxEntityRegistry& operator=(const QxEntityRegistry&) = delete;
    // Unloads and destroys every type still held.
    ~QxEntityRegistry();

    // Stores the prototype (not owned) under its class name; false, with nothing
    // changed, when the name is taken (or empty, or the prototype null).
    bool Register(const QxEntityTypePrototype* prototype, const std::string& className);
    const QxEntityTypePrototype* FindPrototype(const std::string& className) const;

    // Builds a type from the definition through the prototype its "class" names, and
    // keeps it. An anonymous definition (an inline block) is named "Anon" and the
    // number of types made so far; otherwise the "type" value names it. Logs and
    // answers null for an unregistered class or a name already defined.
    QxEntityBaseType* DefineType(QxDefinition& definition, bool anonymous);
    QxEntityBaseType* FindType(const std::string& className, const std::string& typeName) const;

    // A new entity of the type, or null when there is no such type or it is not of the
    // kind asked for. The caller owns the entity.
    std::unique_ptr<QxEntityBase> Create(const std::string& className, const std::string& typeName,
                                         std::uint32_t kind);
    std::unique_ptr<QxEntityBase> Create(const QxEntityRef& ref, std::uint32_t kind);

    // Defines the type of the first file of the current file system matching the
    // name, searched recursively. False when there is no such file or it defines
    // nothing.
    bool LoadFile(const std::string& fileName);
    // Defines the types of every "*.ent" file of the current file system.
    void LoadAll();
    // Loads every type, in key order, except those the flags pass over.
    void LoadTypes(bool reload, std::uint32_t flags);

    // Forgets every prototype; unloads and destroys every type.
    void Clear();

    // Where LoadAll and LoadTypes report; null (the default) reports nowhere.
    void SetProgress(QxLoadProgress* progress) { m_progress = progress; }

    std::size_t TypeCount() const { return m_types.size(); }
    std::uint32_t TypeCounter() const { return m_typeCounter; }

private:
    static std::string Key(const std::string& className, const std::string& typeName) {
        return className + "|" + typeName;
    }
    // False when the file did not open; `defined` tells whether it made a type.
    bool DefineFromFile(const std::string& fileName, bool& defined);

    std::map<std::string, const QxEntityTypePrototype*> m_prototypes;
    std::map<std::string, std::unique_ptr<QxEntityBaseType>> m_types;
    std::uint32_t m_typeCounter = 0;
    QxLoadProgress* m_progress = nullptr;
};
