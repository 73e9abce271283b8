#include "platform/queue/Toolkit.h"

#include "platform/HostDisplay.h"
#include "platform/window/ToolkitPeer.h"

#include <FL/Fl.H>

namespace host {

namespace {
bool g_inCheck = false;
} // namespace

std::unique_ptr<WindowPeer> Toolkit::MakePeer(HWND hwnd) {
    if (!HasDisplay()) {
        return nullptr;
    }
    return std::make_unique<ToolkitPeer>(hwnd);
}

void Toolkit::SuppressCheck(bool suppress) {
    g_inCheck = suppress;
}

bool Toolkit::Wait() {
    if (!HasDisplay()) {
        return false;
    }
    Fl::wait();
    // The toolkit draws damage only when it next waits; turning it into
    // paint requests now lets them be seen before the loop waits again.
    Fl::flush();
    return true;
}

void Toolkit::Check() {
    if (!HasDisplay() || g_inCheck) {
        return;
    }
    g_inCheck = true;
    Fl::check();
    Fl::flush();
    g_inCheck = false;
}

} // namespace host
