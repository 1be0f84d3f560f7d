#include "engine/entity/QxEntityBase.h"

QxEntityBaseType::~QxEntityBaseType() = default;

bool QxEntityBaseType::SetTypeBool(int, std::int32_t) {
    return false;
}
bool QxEntityBaseType::SetTypeInt(int, std::int32_t) {
    return false;
}
bool QxEntityBaseType::SetTypeString(int, const std::string&) {
    return false;
}
bool QxEntityBaseType::SetTypeFloat(int, float) {
    return false;
}

bool QxEntityBaseType::Load(bool reload) {
    if (IsLoaded() && !reload) {
        return true;
    }
    for (QxTypePart* part : m_parts) {
        part->LoadPart(reload);
    }
    m_loaded = 1;
    return true;
}

bool QxEntityBaseType::Unload() {
    for (QxTypePart* part : m_parts) {
        part->ReleasePart();
    }
    m_loaded = 0;
    return true;
}

void QxEntityBaseType::AddParts(std::initializer_list<QxTypePart*> parts) {
    m_parts.insert(m_parts.end(), parts.begin(), parts.end());
}

bool QxEntityBaseType::IsKind(std::uint32_t tag) const {
    return tag == kKindAny;
}

void QxEntityBaseType::SetNames(const std::string& className, const std::string& typeName) {
    m_className = className;
    m_typeName = typeName;
}

QxEntityBase::~QxEntityBase() = default;

bool QxEntityBase::SetBool(int, std::int32_t) {
    return false;
}
bool QxEntityBase::SetInt(int, std::int32_t) {
    return false;
}
bool QxEntityBase::SetString(int, const std::string&) {
    return false;
}
bool QxEntityBase::SetFloat(int, float) {
    return false;
}
bool QxEntityBase::GetBool(int, std::int32_t&) {
    return false;
}
bool QxEntityBase::GetInt(int, std::int32_t&) {
    return false;
}
bool QxEntityBase::GetString(int, std::string&) {
    return false;
}
bool QxEntityBase::GetFloat(int, float&) {
    return false;
}
bool QxEntityBase::Notify(int, std::int32_t, std::int32_t) {
    return false;
}

bool QxEntityBase::Update(float) {
    if (m_type) {
        m_type->Load(false);
    }
    return true;
}

bool QxEntityBase::Draw() {
    return true;
}
