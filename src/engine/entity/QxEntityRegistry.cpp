#include "engine/entity/QxEntityRegistry.h"

#include <exception>
#include <vector>

#include "engine/entity/QxDefinition.h"
#include "engine/files/QxFileManager.h"
#include "engine/files/QxFileSystem.h"
#include "engine/files/QxLog.h"
#include "engine/gui/QxEntity2DScene.h"
#include "engine/gui/QxEntityDialogBox.h"

namespace {

void LogLine(const std::string& text) {
    LogString(text.c_str());
}

} // namespace

QxEntityRegistry::~QxEntityRegistry() {
    Clear();
}

bool QxEntityRegistry::Register(const QxEntityTypePrototype* prototype,
                                const std::string& className) {
    if (!prototype || className.empty()) {
        return false;
    }
    return m_prototypes.try_emplace(className, prototype).second;
}

const QxEntityTypePrototype* QxEntityRegistry::FindPrototype(const std::string& className) const {
    const auto it = m_prototypes.find(className);
    return it == m_prototypes.end() ? nullptr : it->second;
}

QxEntityBaseType* QxEntityRegistry::DefineType(QxDefinition& definition, bool anonymous) {
    definition.SetRegistry(this);

    std::string className;
    definition.ReadKey("class", className);
    std::string typeName;
    if (anonymous) {
        typeName = "Anon" + std::to_string(m_typeCounter);
    } else {
        definition.ReadKey("type", typeName);
    }

    const QxEntityTypePrototype* prototype = FindPrototype(className);
    if (!prototype) {
        LogLine(className + " - unknown class.\n");
        return nullptr;
    }
    std::string key = Key(className, typeName);
    if (m_types.count(key)) {
        LogLine(key + " - already defined.\n");
        return nullptr;
    }

    std::unique_ptr<QxEntityBaseType> type;
    try {
        type = prototype->CreateType(definition);
    } catch (const std::exception& error) {
        LogLine(key + " - " + error.what() + "\n");
        return nullptr;
    } catch (...) {
        LogLine(key + " - failed to build.\n");
        return nullptr;
    }
    if (!type) {
        return nullptr;
    }

    // Inline definitions inside this one were defined while it was being built and
    // took numbers of their own, so an anonymous type takes its number now.
    if (anonymous && typeName != "Anon" + std::to_string(m_typeCounter)) {
        typeName = "Anon" + std::to_string(m_typeCounter);
        key = Key(className, typeName);
    }
    ++m_typeCounter;
    if (m_types.count(key)) {
        LogLine(key + " - already defined.\n");
        return nullptr;
    }
    type->SetNames(className, typeName);
    QxEntityBaseType* result = type.get();
    m_types.emplace(std::move(key), std::move(type));
    return result;
}

QxEntityBaseType* QxEntityRegistry::FindType(const std::string& className,
                                             const std::string& typeName) const {
    const auto it = m_types.find(Key(className, typeName));
    return it == m_types.end() ? nullptr : it->second.get();
}

std::unique_ptr<QxEntityBase> QxEntityRegistry::Create(const std::string& className,
                                                       const std::string& typeName,
                                                       std::uint32_t kind) {
    QxEntityBaseType* type = FindType(className, typeName);
    if (!type || !type->IsKind(kind)) {
        return nullptr;
    }
    return type->CreateEntity();
}

std::unique_ptr<QxEntityBase> QxEntityRegistry::Create(const QxEntityRef& ref, std::uint32_t kind) {
    if (ref.className.empty() || ref.typeName.empty()) {
        return nullptr;
    }
    return Create(ref.className, ref.typeName, kind);
}

bool QxEntityRegistry::DefineFromFile(const std::string& fileName, bool& defined) {
    defined = false;
    QxFileSystem* fileSystem = CurrentFileSystem();
    if (!fileSystem) {
        return false;
    }
    QxDefinition definition;
    {
        QxScopedFile file(fileSystem, fileSystem->Open(fileName, QxFileManager::kModeReadBinary));
        if (!file) {
            return false;
        }
        definition.ReadFromFile(*file.Get());
    }
    if (const char* fault = definition.CheckBlocks()) {
        LogLine(fileName + " - " + fault + ".\n");
    }
    defined = DefineType(definition, false) != nullptr;
    return true;
}

bool QxEntityRegistry::LoadFile(const std::string& fileName) {
    QxFileSystem* fileSystem = CurrentFileSystem();
    if (!fileSystem) {
        return false;
    }
    std::vector<std::string> names;
    fileSystem->ListFiles(fileName, "", true, names);
    if (names.empty()) {
        return false;
    }
    bool defined = false;
    DefineFromFile(names.front(), defined);
    return defined;
}

void QxEntityRegistry::LoadAll() {
    QxFileSystem* fileSystem = CurrentFileSystem();
    std::vector<std::string> names;
    if (fileSystem) {
        fileSystem->ListFiles("*.ent", "", true, names);
    }
    if (m_progress) {
        m_progress->total = std::uint32_t(2 * names.size());
        m_progress->done = 0;
    }
    for (const std::string& name : names) {
        bool defined = false;
        if (DefineFromFile(name, defined) && m_progress) {
            ++m_progress->done;
        }
    }
}

void QxEntityRegistry::LoadTypes(bool reload, std::uint32_t flags) {
    for (auto& [key, type] : m_types) {
        const bool skip =
            ((flags & kOnlyLoaded) && !type->IsLoaded()) ||
            ((flags & kSkipScenes) && (type->IsKind(kKindScene) || type->IsKind(kKindDialogBox)));
        if (!skip) {
            try {
                type->Load(reload);
            } catch (const std::exception& error) {
                LogLine(key + " - " + error.what() + "\n");
            } catch (...) {
                LogLine(key + " - failed to load.\n");
            }
        }
        if (m_progress) {
            ++m_progress->done;
        }
    }
}

void QxEntityRegistry::Clear() {
    m_prototypes.clear();
    for (auto& [key, type] : m_types) {
        try {
            type->Unload();
        } catch (const std::exception& error) {
            LogLine(key + " - " + error.what() + "\n");
        } catch (...) {
            LogLine(key + " - failed to unload.\n");
        }
    }
    // Unloading a type may destroy entities (a scene's elements) whose own types sit
    // elsewhere in the table, so no type is destroyed before every type has unloaded.
    m_types.clear();
}
