#include "support/StopRequest.h"

namespace {

thread_local const StopRequest* t_current = nullptr;

} // namespace

const StopRequest* StopRequest::Current() noexcept {
    return t_current;
}

StopRequest::Scope::Scope(const StopRequest& request) noexcept : m_previous(t_current) {
    t_current = &request;
}

StopRequest::Scope::~Scope() {
    t_current = m_previous;
}
