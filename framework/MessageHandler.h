#pragma once
// The handler of a table entry: a member function of the class that declares
// the table, held as a member of CCmdTarget. The entry's signature says which
// member of the union is set, so the call goes through exactly the type the
// handler was declared with.

#include "platform/HostTypes.h"
#include "platform/HostWindow.h"

class CCmdTarget;
class CCmdUI;

union MessageHandler {
    using CommandFn = void (CCmdTarget::*)();
    using CommandWithIdFn = host::BOOL (CCmdTarget::*)(host::UINT);
    using UpdateFn = void (CCmdTarget::*)(CCmdUI*);
    using CreateFn = int (CCmdTarget::*)(host::CREATESTRUCT*);
    using PointFn = void (CCmdTarget::*)(host::UINT, int, int); ///< size and mouse
    using MessageFn = host::LRESULT (CCmdTarget::*)(host::WPARAM, host::LPARAM);

    constexpr MessageHandler() : command(nullptr) {}
    constexpr MessageHandler(CommandFn f) : command(f) {}
    constexpr MessageHandler(CommandWithIdFn f) : commandWithId(f) {}
    constexpr MessageHandler(UpdateFn f) : update(f) {}
    constexpr MessageHandler(CreateFn f) : create(f) {}
    constexpr MessageHandler(PointFn f) : point(f) {}
    constexpr MessageHandler(MessageFn f) : message(f) {}

    CommandFn command; ///< Command and Plain
    CommandWithIdFn commandWithId;
    UpdateFn update;
    CreateFn create;
    PointFn point; ///< Size and Mouse
    MessageFn message;
};
