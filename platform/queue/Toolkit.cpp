#include "platform/queue/Toolkit.h"

#include "platform/HostDisplay.h"
#include "platform/window/ToolkitPeer.h"

#include <FL/Fl.H>

#include <cstdio>
#include <exception>

namespace host {

namespace {
bool g_checksHeldOff = false;
} // namespace

Toolkit::NoChecks::NoChecks() : m_hold(g_checksHeldOff, true) {}

std::unique_ptr<WindowPeer> Toolkit::MakePeer(HWND hwnd) {
    if (!HasDisplay()) {
        return nullptr;
    }
    return std::make_unique<ToolkitPeer>(hwnd);
}

bool Toolkit::ChecksHeldOff() {
    return g_checksHeldOff;
}

void Toolkit::RunInside(const std::function<void()>& work) {
    const NoChecks inside;
    try {
        work();
    } catch (const std::exception& failure) {
        std::fprintf(stderr, "a window procedure failed inside a toolkit loop: %s\n",
                     failure.what());
    } catch (...) {
        std::fprintf(stderr, "a window procedure failed inside a toolkit loop\n");
    }
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
    if (!HasDisplay() || g_checksHeldOff) {
        return;
    }
    const NoChecks inside;
    Fl::check();
    Fl::flush();
}

} // namespace host
