#include "app/QxWin32SettingsManager.h"

#include "engine/files/QxPortable.h"

namespace {

bool EndsWithSeparator(const std::string& path) {
    return !path.empty() && (path.back() == '/' || path.back() == '\\');
}

// Deep enough for any real folder; stops a pathological name from recursing for long.
constexpr int kMaxFolderDepth = 256;

bool CreateFolderAt(const std::string& path, int depth) {
    if (path.empty() || depth > kMaxFolderDepth) {
        return false;
    }
    platform::CreateFolderResult result = platform::CreateFolder(path);
    if (result == platform::CreateFolderResult::ParentMissing) {
        std::size_t cut = path.find_last_of("/\\");
        if (cut == std::string::npos || cut == 0 ||
            !CreateFolderAt(path.substr(0, cut), depth + 1)) {
            return false;
        }
        result = platform::CreateFolder(path);
    }
    return result == platform::CreateFolderResult::Created ||
           result == platform::CreateFolderResult::AlreadyExists;
}

} // namespace

bool CreateFolderWithParents(const std::string& path) {
    return CreateFolderAt(path, 0);
}

QxWin32SettingsManager::QxWin32SettingsManager(const std::string& makerName,
                                               const std::string& productName)
    : QxSettingsManager(makerName, productName) {}

QxWin32SettingsManager::~QxWin32SettingsManager() {
    CloseKey();
}

void QxWin32SettingsManager::OpenKey(const std::string& company, const std::string& product) {
    CloseKey();
    keyPath_ = "Software\\" + company + "\\" + product;
}

bool QxWin32SettingsManager::CloseKey() {
    if (!m_open) {
        return false;
    }
    bool closed = platform::RegistryCloseKey(openKey_);
    openKey_ = platform::kNoRegistryKey;
    m_open = 0;
    return closed;
}

void QxWin32SettingsManager::UseMachineRoot() {
    SetRoot(platform::RegistryRoot::LocalMachine);
}

void QxWin32SettingsManager::UseUserRoot() {
    SetRoot(platform::RegistryRoot::CurrentUser);
}

void QxWin32SettingsManager::SetRoot(platform::RegistryRoot root) {
    CloseKey();
    root_ = root;
}

bool QxWin32SettingsManager::Open() {
    CloseKey();
    platform::RegistryKey key = platform::kNoRegistryKey;
    if (!platform::RegistryCreateKey(root_, keyPath_, key)) {
        return false;
    }
    openKey_ = key;
    m_open = 1;
    return true;
}

bool QxWin32SettingsManager::GetFloat(const std::string& name, float& value) {
    std::uint32_t bits = 0;
    if (!GetInt(name, bits)) {
        return false;
    }
    value = qx::BitCast<float>(bits);
    return true;
}

bool QxWin32SettingsManager::SetFloat(const std::string& name, float value) {
    return SetInt(name, qx::BitCast<std::uint32_t>(value));
}

bool QxWin32SettingsManager::GetInt(const std::string& name, std::uint32_t& value) {
    if (!Open()) {
        return false;
    }
    bool ok = platform::RegistryGetUInt32(openKey_, name, value);
    CloseKey();
    return ok;
}

bool QxWin32SettingsManager::GetString(const std::string& name, std::string& value) {
    if (!Open()) {
        return false;
    }
    bool ok = platform::RegistryGetString(openKey_, name, kMaxStringBytes, value);
    CloseKey();
    return ok;
}

bool QxWin32SettingsManager::SetInt(const std::string& name, std::uint32_t value) {
    if (!Open()) {
        return false;
    }
    bool ok = platform::RegistrySetUInt32(openKey_, name, value);
    CloseKey();
    return ok;
}

bool QxWin32SettingsManager::SetString(const std::string& name, const std::string& value) {
    if (!Open()) {
        return false;
    }
    bool ok = platform::RegistrySetString(openKey_, name, value);
    CloseKey();
    return ok;
}

bool QxWin32SettingsManager::ListSubKeys(std::vector<std::string>& names) {
    if (!Open()) {
        return false;
    }
    bool ok = platform::RegistryListSubKeys(openKey_, names);
    CloseKey();
    return ok;
}

bool QxWin32SettingsManager::DeleteKey(const std::string& name) {
    if (!Open()) {
        return false;
    }
    bool ok = platform::RegistryDeleteSubKey(openKey_, name);
    CloseKey();
    return ok;
}

std::string QxWin32SettingsManager::DataFolder(platform::SpecialFolder folder,
                                               const std::string& name) const {
    std::string path = platform::GetSpecialFolder(folder, true);
    if (!path.empty()) {
        if (!EndsWithSeparator(path)) {
            path += '/';
        }
        path += m_makerName + "/" + m_productName + "/";
    }
    path += name;
    if (path.empty()) {
        // Without a platform folder and a name the bare separator would name the root
        // of the file system; the working folder is the safe stand-in.
        path = "./";
    } else if (!EndsWithSeparator(path)) {
        path += '/';
    }
    CreateFolderWithParents(path);
    return path;
}

std::string QxWin32SettingsManager::UserDataFolder(const std::string& name) {
    return DataFolder(platform::SpecialFolder::UserApplicationData, name);
}

std::string QxWin32SettingsManager::CommonDataFolder(const std::string& name) {
    return DataFolder(platform::SpecialFolder::CommonApplicationData, name);
}
