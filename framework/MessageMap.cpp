#include "framework/MessageMap.h"

const MessageMapEntry* MessageMap::Find(host::UINT message, host::UINT code, host::UINT id) const {
    for (const MessageMap* map = this; map != nullptr; map = map->base) {
        for (const MessageMapEntry* entry = map->entries; entry->signature != MessageSignature::End;
             ++entry) {
            if (entry->Matches(message, code, id)) {
                return entry;
            }
        }
    }
    return nullptr;
}
