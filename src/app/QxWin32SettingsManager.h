#pragma once
// The settings store over the platform registry and special folders. Every value
// access opens (creating when missing) the selected key and closes it again.

#include "app/QxSettingsManager.h"

class QxWin32SettingsManager : public QxSettingsManager {
public:
    QxWin32SettingsManager(const std::string& makerName, const std::string& productName);
    ~QxWin32SettingsManager() override;

    void OpenKey(const std::string& company, const std::string& product) override;
    bool CloseKey() override;
    void UseMachineRoot() override;
    void UseUserRoot() override;
    bool GetFloat(const std::string& name, float& value) override;
    bool SetFloat(const std::string& name, float value) override;
    bool GetInt(const std::string& name, std::uint32_t& value) override;
    bool GetString(const std::string& name, std::string& value) override;
    bool SetInt(const std::string& name, std::uint32_t value) override;
    bool SetString(const std::string& name, const std::string& value) override;
    bool ListSubKeys(std::vector<std::string>& names) override;
    bool DeleteKey(const std::string& name) override;
    std::string UserDataFolder(const std::string& name) override;
    std::string CommonDataFolder(const std::string& name) override;
    void SetRoot(platform::RegistryRoot root) override;

    const std::string& KeyPath() const { return keyPath_; }
    platform::RegistryRoot Root() const { return root_; }

private:
    bool Open();
    std::string DataFolder(platform::SpecialFolder folder, const std::string& name) const;

    platform::RegistryRoot root_ = platform::RegistryRoot::CurrentUser;
    platform::RegistryKey openKey_ = platform::kNoRegistryKey;
    std::string keyPath_;
};

// Creates the folder and every missing parent (split at "/" or a backslash). A folder
// that already exists counts as success.
bool CreateFolderWithParents(const std::string& path);
