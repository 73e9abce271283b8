#pragma once

#include <cstddef>

/// Keeps a read-only file mapping safe to read while another program shrinks
/// the file. Reading a page that the file no longer backs raises SIGBUS, which
/// would end the program; under a guard such a page reads as zeros instead, and
/// the guard remembers that it happened so that the reader can refuse what it
/// read. A process-wide handler, installed with the first guard, looks the
/// faulting address up in a fixed table of guarded ranges; a SIGBUS anywhere
/// else goes on to the handler that was there before. Guards may be made and
/// read on any thread.
class BusErrorGuard {
public:
    /// Guards [begin, begin + size), which must be a mapping of whole pages
    /// from begin. Active() is false when the table is full.
    BusErrorGuard(const void* begin, std::size_t size) noexcept;
    ~BusErrorGuard();
    BusErrorGuard(const BusErrorGuard&) = delete;
    BusErrorGuard& operator=(const BusErrorGuard&) = delete;

    /// Whether the range is guarded.
    bool Active() const noexcept { return m_slot >= 0; }

    /// Whether a page of the range has read as zeros because its file no
    /// longer backs it.
    bool Faulted() const noexcept;

private:
    int m_slot = -1; // the entry of the table, or -1
};
