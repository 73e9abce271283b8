#include "support/HelperGate.h"

namespace {

thread_local HelperGate* t_current = nullptr;

} // namespace

void HelperGate::Open() noexcept {
    const std::lock_guard<std::mutex> lock(m_mutex);
    if (m_open.exchange(true)) {
        return;
    }
    if (m_waiter) {
        m_waiter->OnGateOpen();
    }
}

bool HelperGate::Await(Waiter& waiter) noexcept {
    const std::lock_guard<std::mutex> lock(m_mutex);
    if (m_open.load() || m_waiter) {
        return false;
    }
    m_waiter = &waiter;
    return true;
}

void HelperGate::StopAwaiting(Waiter& waiter) noexcept {
    const std::lock_guard<std::mutex> lock(m_mutex);
    if (m_waiter == &waiter) {
        m_waiter = nullptr;
    }
}

HelperGate* HelperGate::Current() noexcept {
    return t_current;
}

HelperGate::Scope::Scope(HelperGate& gate) noexcept : m_previous(t_current) {
    t_current = &gate;
}

HelperGate::Scope::~Scope() {
    t_current = m_previous;
}
