#pragma once
// The base of every object that receives commands: it looks commands up in
// its own class's handler table chain.

#include "framework/CObject.h"
#include "framework/CommandProbe.h"
#include "framework/MessageMap.h"

class CCmdTarget : public CObject {
public:
    KOVO_DECLARE_RUNTIME_CLASS(CCmdTarget)

    /// Offers command id to this receiver. code fw::kCommandCode executes it;
    /// fw::kUpdateCode asks for its menu state, extra then being the CCmdUI.
    /// With probe set nothing is called: probe receives the receiver and the
    /// entry that would be called. Returns whether a receiver handled it
    /// (for a command-with-id handler, what it returned). The base searches
    /// only this object's own class chain; derived receivers pass the command
    /// on to their partners.
    virtual host::BOOL RouteCommand(host::UINT id, int code, void* extra, CommandProbe* probe);

    /// The table of the object's class.
    virtual const MessageMap* GetMessageMap() const { return &s_messageMap; }

    static const MessageMap s_messageMap;

protected:
    /// Calls a command entry's handler as its signature says and returns the
    /// routing result.
    host::BOOL CallCommandHandler(const MessageMapEntry& entry, host::UINT id, void* extra);

private:
    static const MessageMapEntry s_messageEntries[];
};
