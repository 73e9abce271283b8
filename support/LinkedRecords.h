#pragma once
// Walks along the singly linked record lists of a model. A loaded model's
// records of a kind stand one after another in list order, so a walk that
// goes on to the record right after the current one, whenever the current
// one links to it, need not wait for each link to be read before it can
// fetch the next record: the processor then reads records ahead, as it does
// through an array. A walk that follows the links alone stalls on every
// record that is not in its caches yet.

#include <cstdint>

/// Calls visit(record) for the records of a singly linked list, in list order
/// from first (null: an empty list), as long as visit returns true. Returns
/// the record for which visit returned false; null once every record has been
/// visited. A link is read after visit has seen its record, as a plain walk
/// reads it.
template <typename Record, typename Visit> Record* VisitLinkedWhile(Record* first, Visit&& visit) {
    for (Record* record = first; record;) {
        if (!visit(*record)) {
            return record;
        }
        if (record->next != record + 1) {
            record = record->next;
            continue;
        }
        // The compiler would otherwise see that both ways lead to the same
        // record and follow the link in both, waiting for it again.
        asm("" : "+r"(record));
        ++record;
        // The processor's own read-ahead stops at every 4 KB page; asked for
        // the records 2 KB on, it has them when the walk comes there. A place
        // past the list's end is never read, and asking for it is harmless.
        __builtin_prefetch(
            reinterpret_cast<const void*>(reinterpret_cast<std::uintptr_t>(record) + 2048));
    }
    return nullptr;
}

/// Calls visit(record) for every record of a singly linked list, in list order
/// from first (null: an empty list).
template <typename Record, typename Visit> void ForEachLinked(Record* first, Visit&& visit) {
    VisitLinkedWhile(first, [&visit](Record& record) {
        visit(record);
        return true;
    });
}
