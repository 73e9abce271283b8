#include "framework/MessageLookupCache.h"

#include <cstdint>
#include <mutex>

namespace {

struct Slot {
    const MessageMap* map = nullptr; ///< null: the slot is empty
    host::UINT message = 0;
    const MessageMapEntry* entry = nullptr; ///< null: no entry serves it
};

constexpr std::size_t kSlotCount = 512;

std::mutex g_lock;
Slot g_slots[kSlotCount];
unsigned long g_walks = 0;

std::size_t SlotIndex(const MessageMap* map, host::UINT message) {
    const auto identity = reinterpret_cast<std::uintptr_t>(map);
    return (message ^ identity) & (kSlotCount - 1);
}

} // namespace

const MessageMapEntry* MessageLookupCache::Find(const MessageMap* map, host::UINT message) {
    std::lock_guard<std::mutex> guard(g_lock);
    Slot& slot = g_slots[SlotIndex(map, message)];
    if (slot.map == map && slot.message == message) {
        return slot.entry;
    }
    ++g_walks;
    slot.map = map;
    slot.message = message;
    slot.entry = map->Find(message, 0, 0);
    return slot.entry;
}

unsigned long MessageLookupCache::WalkCount() {
    std::lock_guard<std::mutex> guard(g_lock);
    return g_walks;
}
