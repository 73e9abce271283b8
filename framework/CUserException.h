#pragma once
// A failure that has already been reported to the user: nothing is shown for
// it again.

#include "framework/CException.h"

class CUserException : public CException {
public:
    KOVO_DECLARE_RUNTIME_CLASS(CUserException)
};
