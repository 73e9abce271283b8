#include "support/BusErrorGuard.h"

#include <atomic>
#include <csignal>
#include <cstdint>
#include <mutex>
#include <sys/mman.h>
#include <unistd.h>

namespace {

// The handler reads the table, so every field is a lock-free atomic. A slot's
// range changes under a sequence count, odd while it changes: the handler
// takes a range only from two equal even counts around its reads, so it never
// pairs one guard's begin with another's size.
struct Slot {
    std::atomic<bool> used{false};
    std::atomic<unsigned> sequence{0};
    std::atomic<std::uintptr_t> begin{0}; // 0 while the slot holds no range
    std::atomic<std::size_t> size{0};
    std::atomic<bool> faulted{false};
};
static_assert(std::atomic<std::uintptr_t>::is_always_lock_free);
static_assert(std::atomic<unsigned>::is_always_lock_free);
static_assert(std::atomic<bool>::is_always_lock_free);

struct Range {
    std::uintptr_t begin = 0;
    std::size_t size = 0;
};

// Sets the slot's range; only the guard that holds the slot writes it.
void Publish(Slot& slot, Range range) {
    const unsigned sequence = slot.sequence.load(std::memory_order_relaxed);
    slot.sequence.store(sequence + 1, std::memory_order_relaxed);
    std::atomic_thread_fence(std::memory_order_release);
    slot.begin.store(range.begin, std::memory_order_relaxed);
    slot.size.store(range.size, std::memory_order_relaxed);
    slot.sequence.store(sequence + 2, std::memory_order_release);
}

// The slot's range as one guard set it; empty while it changes.
Range RangeOf(const Slot& slot) {
    for (;;) {
        const unsigned before = slot.sequence.load(std::memory_order_acquire);
        if (before % 2 != 0) {
            return {}; // being set or cleared: no fault of its range is due now
        }
        const Range range{slot.begin.load(std::memory_order_relaxed),
                          slot.size.load(std::memory_order_relaxed)};
        std::atomic_thread_fence(std::memory_order_acquire);
        if (slot.sequence.load(std::memory_order_relaxed) == before) {
            return range;
        }
    }
}

constexpr int kSlots = 64;
Slot g_slots[kSlots];
struct sigaction g_previous = {};
std::uintptr_t g_pageSize = 4096;

// Maps zeros over the rest of the slot's range from the faulting page on: the
// file has ended there, so every later page would fault too.
bool ReplaceWithZeros(Slot& slot, std::uintptr_t address) {
    const auto [begin, size] = RangeOf(slot);
    if (begin == 0 || address < begin || address - begin >= size) {
        return false;
    }
    const std::uintptr_t page = address & ~(g_pageSize - 1);
    const std::uintptr_t end = (begin + size + g_pageSize - 1) & ~(g_pageSize - 1);
    void* zeros = mmap(reinterpret_cast<void*>(page), end - page, PROT_READ,
                       MAP_PRIVATE | MAP_ANONYMOUS | MAP_FIXED, -1, 0);
    if (zeros == MAP_FAILED) {
        return false;
    }
    slot.faulted.store(true, std::memory_order_release);
    return true;
}

// Another handler's SIGBUS: call it, or, where there was none, let the default
// action end the program once this handler returns.
void Forward(int signal, siginfo_t* info, void* context) {
    if (g_previous.sa_flags & SA_SIGINFO) {
        g_previous.sa_sigaction(signal, info, context);
        return;
    }
    if (g_previous.sa_handler == SIG_DFL || g_previous.sa_handler == SIG_IGN) {
        std::signal(signal, SIG_DFL);
        std::raise(signal);
        return;
    }
    g_previous.sa_handler(signal);
}

void OnBusError(int signal, siginfo_t* info, void* context) {
    const auto address = reinterpret_cast<std::uintptr_t>(info->si_addr);
    for (Slot& slot : g_slots) {
        if (ReplaceWithZeros(slot, address)) {
            return; // the faulting read runs again and now reads zeros
        }
    }
    Forward(signal, info, context);
}

void InstallHandler() {
    g_pageSize = static_cast<std::uintptr_t>(sysconf(_SC_PAGESIZE));
    struct sigaction action = {};
    action.sa_sigaction = OnBusError;
    action.sa_flags = SA_SIGINFO | SA_ONSTACK;
    sigemptyset(&action.sa_mask);
    sigaction(SIGBUS, &action, &g_previous);
}

} // namespace

BusErrorGuard::BusErrorGuard(const void* begin, std::size_t size) noexcept {
    static std::once_flag installed;
    std::call_once(installed, InstallHandler);
    for (int i = 0; i < kSlots; ++i) {
        Slot& slot = g_slots[i];
        if (!slot.used.exchange(true, std::memory_order_acq_rel)) {
            slot.faulted.store(false, std::memory_order_relaxed);
            Publish(slot, Range{reinterpret_cast<std::uintptr_t>(begin), size});
            m_slot = i;
            return;
        }
    }
}

BusErrorGuard::~BusErrorGuard() {
    if (m_slot < 0) {
        return;
    }
    Slot& slot = g_slots[m_slot];
    Publish(slot, Range{});
    slot.used.store(false, std::memory_order_release);
}

bool BusErrorGuard::Faulted() const noexcept {
    return m_slot >= 0 && g_slots[m_slot].faulted.load(std::memory_order_acquire);
}
