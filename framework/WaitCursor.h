#pragma once
// Shows the wait cursor for the lifetime of the object, also when an
// exception leaves the scope.

#include "platform/HostWindow.h"

class WaitCursor {
public:
    WaitCursor() { host::SetWaitCursor(true); }
    ~WaitCursor() { host::SetWaitCursor(false); }
    WaitCursor(const WaitCursor&) = delete;
    WaitCursor& operator=(const WaitCursor&) = delete;
};
