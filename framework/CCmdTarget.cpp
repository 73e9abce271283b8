#include "framework/CCmdTarget.h"

#include "framework/CCmdUI.h"

#include <cassert>

using host::BOOL;
using host::FALSE;
using host::TRUE;
using host::UINT;

KOVO_IMPLEMENT_RUNTIME_CLASS(CCmdTarget, CObject)

const MessageMapEntry CCmdTarget::s_messageEntries[] = {
    {0, 0, 0, 0, MessageSignature::End, MessageHandler()}};
const MessageMap CCmdTarget::s_messageMap = {nullptr, &CCmdTarget::s_messageEntries[0]};

BOOL CCmdTarget::RouteCommand(UINT id, int code, void* extra, CommandProbe* probe) {
    const MessageMapEntry* entry =
        GetMessageMap()->Find(host::WM_COMMAND, static_cast<UINT>(code), id);
    if (entry == nullptr) {
        return FALSE;
    }
    if (probe != nullptr) {
        probe->target = this;
        probe->entry = entry;
        return TRUE;
    }
    return CallCommandHandler(*entry, id, extra);
}

BOOL CCmdTarget::CallCommandHandler(const MessageMapEntry& entry, UINT id, void* extra) {
    switch (entry.signature) {
    case MessageSignature::Command:
        (this->*entry.handler.command)();
        return TRUE;
    case MessageSignature::CommandWithId:
        return (this->*entry.handler.commandWithId)(id);
    case MessageSignature::Update: {
        auto* ui = static_cast<CCmdUI*>(extra);
        assert(ui != nullptr);
        (this->*entry.handler.update)(ui);
        // A handler that only adds to the state lets the next receiver decide.
        const BOOL handled = !ui->m_continueRouting;
        ui->m_continueRouting = FALSE;
        return handled;
    }
    default:
        assert(!"a command entry with a window-message signature");
        return FALSE;
    }
}
