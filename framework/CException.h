#pragma once
// The base of the framework's exceptions. They are thrown by value and caught
// by reference; the message dispatch guard and the document's open step turn
// them into messages for the user.

#include "framework/CObject.h"

#include <string>

class CException : public CObject {
public:
    KOVO_DECLARE_RUNTIME_CLASS(CException)

    /// The exception's own text for the user; FALSE (text untouched) when it
    /// has none.
    virtual bool GetErrorMessage(std::string& text) const;
};
