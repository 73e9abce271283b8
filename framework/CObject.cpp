#include "framework/CObject.h"

const CRuntimeClass CObject::classRecord = {"CObject", nullptr, nullptr, 0xFFFF};

std::unique_ptr<CObject> CRuntimeClass::CreateObject() const {
    if (m_factory == nullptr) {
        return nullptr;
    }
    return m_factory();
}

bool CRuntimeClass::IsDerivedFrom(const CRuntimeClass* base) const {
    for (const CRuntimeClass* cls = this; cls != nullptr; cls = cls->m_baseClass) {
        if (cls == base) {
            return true;
        }
    }
    return false;
}
