#pragma once
// One entry of a handler table.

#include "framework/MessageHandler.h"
#include "framework/MessageSignature.h"

struct MessageMapEntry {
    /// TRUE when the entry serves message and code for id (window messages
    /// look up id 0).
    constexpr bool Matches(host::UINT wantedMessage, host::UINT wantedCode, host::UINT id) const {
        return message == wantedMessage && code == wantedCode && firstId <= id && id <= lastId;
    }

    host::UINT message = 0; ///< WM_COMMAND for commands and menu updates
    host::UINT code = 0;    ///< fw::kCommandCode, or fw::kUpdateCode for a menu update
    host::UINT firstId = 0; ///< first command id (0 for window messages)
    host::UINT lastId = 0;  ///< last command id, inclusive
    MessageSignature signature = MessageSignature::End;
    MessageHandler handler;
};
