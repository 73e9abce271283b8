#pragma once
// Memory ran out. Its text is "Out of memory.".

#include "framework/CException.h"

class CMemoryException : public CException {
public:
    KOVO_DECLARE_RUNTIME_CLASS(CMemoryException)

    bool GetErrorMessage(std::string& text) const override;
};
