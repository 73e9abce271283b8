#include "platform/HostDisplay.h"

namespace host {

BOOL OpenDisplay() {
    return FALSE;
}

BOOL HasDisplay() {
    return FALSE;
}

void ProcessToolkitEvents(double) {}

ModalScope::ModalScope() {}

ModalScope::~ModalScope() {}

} // namespace host
