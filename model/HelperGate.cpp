#include "model/HelperGate.h"

namespace {

thread_local HelperGate* t_current = nullptr;

} // namespace

HelperGate* HelperGate::Current() noexcept {
    return t_current;
}

HelperGate::Scope::Scope(HelperGate& gate) noexcept : m_previous(t_current) {
    t_current = &gate;
}

HelperGate::Scope::~Scope() {
    t_current = m_previous;
}
