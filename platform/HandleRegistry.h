#pragma once
// The records behind one kind of handle: windows, menus, OpenGL contexts or
// accelerator tables. A handle is the address of its record. The registry
// owns the records it was given and tells whether a handle names one of them,
// so that a stale or made-up handle is refused instead of followed.

#include <map>
#include <memory>

namespace host {

template <class Record> class HandleRegistry {
public:
    /// Takes record (not null) and returns its handle.
    Record* Add(std::unique_ptr<Record> record) {
        Record* handle = record.get();
        m_records[handle] = std::move(record);
        return handle;
    }

    /// Gives the record back to the caller, who owns it from now on; null
    /// for a handle that names none of the records held here.
    std::unique_ptr<Record> Take(const Record* handle) {
        auto it = m_records.find(handle);
        if (it == m_records.end()) {
            return nullptr;
        }
        std::unique_ptr<Record> taken = std::move(it->second);
        m_records.erase(it);
        return taken;
    }

    /// Frees the record; false (and nothing happens) for an unknown handle.
    bool Remove(const Record* handle) { return m_records.erase(handle) != 0; }

    /// True when handle names a record held here; false for null.
    bool Contains(const Record* handle) const {
        return handle != nullptr && m_records.count(handle) != 0;
    }

    /// The record that handle names, or null, so that callers can return early.
    Record* Find(const Record* handle) const {
        auto it = m_records.find(handle);
        return it == m_records.end() ? nullptr : it->second.get();
    }

    /// Calls visit(Record&) for each record, in no particular order. visit
    /// must not add or remove records.
    template <class Visit> void ForEach(Visit visit) const {
        for (const auto& entry : m_records) {
            visit(*entry.second);
        }
    }

private:
    std::map<const Record*, std::unique_ptr<Record>> m_records;
};

} // namespace host
