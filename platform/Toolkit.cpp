#include "platform/Toolkit.h"

#include "platform/HostDisplay.h"

namespace host {

std::unique_ptr<WindowPeer> Toolkit::MakePeer(HWND) {
    return nullptr;
}

bool Toolkit::Wait() {
    return false;
}

void Toolkit::Check() {}

} // namespace host
