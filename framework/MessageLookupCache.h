#pragma once
// The process-wide cache of window-message lookups: 512 slots, indexed by
// (message XOR table identity) AND 511. A slot holds the message, the table
// and what the walk found, a "none" included, so that frequent messages such
// as mouse moves and paints cost one slot comparison after the first.

#include "framework/MessageMap.h"

class MessageLookupCache {
public:
    /// The entry for window message along map's chain (code 0, id 0), or null.
    static const MessageMapEntry* Find(const MessageMap* map, host::UINT message);
    /// Number of table walks made so far (cache misses). For tests.
    static unsigned long WalkCount();
};
