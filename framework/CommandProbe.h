#pragma once
// What a probing RouteCommand found: the receiver and the entry whose handler
// would have been called. Nothing is called while probing.

struct MessageMapEntry;
class CCmdTarget;

struct CommandProbe {
    CCmdTarget* target = nullptr;
    const MessageMapEntry* entry = nullptr;
};
