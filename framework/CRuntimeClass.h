#pragma once
// A run-time class record: lets the document template create the program's
// document, frame and view knowing only their records.

#include <memory>

class CObject;

struct CRuntimeClass {
    /// Makes a default-constructed instance; null for a class that cannot be
    /// created by record.
    std::unique_ptr<CObject> CreateObject() const;
    /// TRUE when this record is base or one of its descendants.
    bool IsDerivedFrom(const CRuntimeClass* base) const;

    const char* m_className = nullptr;
    std::unique_ptr<CObject> (*m_factory)() = nullptr; ///< null: not creatable
    const CRuntimeClass* m_baseClass = nullptr;        ///< null only for CObject
    unsigned m_schema = 0xFFFF;                        ///< no serialisation schema
};

/// In the class body: declares the record of a class that cannot be created by
/// record (a framework base such as CDocument).
#define KOVO_DECLARE_RUNTIME_CLASS(theClass)                                                       \
public:                                                                                            \
    static const CRuntimeClass classRecord;                                                        \
    const CRuntimeClass* GetRuntimeClass() const override {                                        \
        return &theClass::classRecord;                                                             \
    }

/// In the class body: declares the record and the factory of a class that the
/// template creates by record.
#define KOVO_DECLARE_CREATABLE(theClass)                                                           \
    KOVO_DECLARE_RUNTIME_CLASS(theClass)                                                           \
    static std::unique_ptr<CObject> CreateInstance();

/// In a .cpp file: defines the record of a class declared with
/// KOVO_DECLARE_RUNTIME_CLASS.
#define KOVO_IMPLEMENT_RUNTIME_CLASS(theClass, baseClass)                                          \
    const CRuntimeClass theClass::classRecord = {#theClass, nullptr, &baseClass::classRecord,      \
                                                 0xFFFF};

/// In a .cpp file: defines the record and the factory of a class declared with
/// KOVO_DECLARE_CREATABLE.
#define KOVO_IMPLEMENT_CREATABLE(theClass, baseClass)                                              \
    std::unique_ptr<CObject> theClass::CreateInstance() {                                          \
        return std::make_unique<theClass>();                                                       \
    }                                                                                              \
    const CRuntimeClass theClass::classRecord = {#theClass, &theClass::CreateInstance,             \
                                                 &baseClass::classRecord, 0xFFFF};
