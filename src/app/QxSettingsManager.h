#pragma once
// The engine's settings store: named values in a key of the user's (or the machine's)
// registry, bound to a maker and a product name, plus the per-user and shared data
// folders the program writes its log and high scores into.

#include <cstdint>
#include <string>
#include <vector>

#include "platform/Platform.h"

class QxSettingsManager {
public:
    QxSettingsManager(const std::string& makerName, const std::string& productName);
    QxSettingsManager(const QxSettingsManager&) = delete;
    QxSettingsManager& operator=(const QxSettingsManager&) = delete;

    // Software\maker\product.
    virtual void OpenDefault();
    // Software\maker\maker\name.
    virtual void OpenSection(const std::string& name);
    // Closes any open key and selects Software\company\product for the next accesses.
    virtual void OpenKey(const std::string& company, const std::string& product) = 0;
    virtual bool CloseKey() = 0;
    virtual void UseMachineRoot() = 0;
    virtual void UseUserRoot() = 0;

    // Every getter leaves its out value untouched when it answers false.
    virtual bool GetFloat(const std::string& name, float& value) = 0;
    virtual bool SetFloat(const std::string& name, float value) = 0;
    virtual bool GetInt(const std::string& name, std::uint32_t& value) = 0;
    // At most 1024 bytes including the terminator; a longer value fails.
    virtual bool GetString(const std::string& name, std::string& value) = 0;
    virtual bool SetBool(const std::string& name, bool value);
    virtual bool SetSignedInt(const std::string& name, std::int32_t value);
    virtual bool SetInt(const std::string& name, std::uint32_t value) = 0;
    virtual bool SetString(const std::string& name, const std::string& value) = 0;
    virtual bool ListSubKeys(std::vector<std::string>& names) = 0;
    virtual bool DeleteKey(const std::string& name) = 0;

    // A folder below the per-user (or shared) application data folder named after the
    // maker, the product and name, created with its parents. Always ends in a separator.
    virtual std::string UserDataFolder(const std::string& name) = 0;
    virtual std::string CommonDataFolder(const std::string& name) = 0;

    virtual ~QxSettingsManager();
    virtual void SetRoot(platform::RegistryRoot root) = 0;

    // The longest string value GetString accepts, terminator included.
    static constexpr std::size_t kMaxStringBytes = 1024;

protected:
    std::uint8_t m_open = 0;
    std::string m_makerName;
    std::string m_productName;
};
