#pragma once
// The root of the framework classes that carry a run-time class record.

#include "framework/CRuntimeClass.h"

class CObject {
public:
    virtual ~CObject() = default;

    /// The record of the object's most derived class that declares one.
    virtual const CRuntimeClass* GetRuntimeClass() const { return &classRecord; }
    /// TRUE when the object's class is cls or derives from it.
    bool IsKindOf(const CRuntimeClass* cls) const { return GetRuntimeClass()->IsDerivedFrom(cls); }

    static const CRuntimeClass classRecord;
};
