#include "app/QxSettingsManager.h"

QxSettingsManager::QxSettingsManager(const std::string& makerName, const std::string& productName)
    : m_makerName(makerName), m_productName(productName) {}

QxSettingsManager::~QxSettingsManager() = default;

void QxSettingsManager::OpenDefault() {
    OpenKey(m_makerName, m_productName);
}

void QxSettingsManager::OpenSection(const std::string& name) {
    OpenKey(m_makerName, m_makerName + "\\" + name);
}

bool QxSettingsManager::SetBool(const std::string& name, bool value) {
    return SetInt(name, value ? 1u : 0u);
}

bool QxSettingsManager::SetSignedInt(const std::string& name, std::int32_t value) {
    return SetInt(name, static_cast<std::uint32_t>(value));
}
