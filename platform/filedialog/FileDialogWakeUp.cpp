#include "platform/filedialog/FileDialogWakeUp.h"

#include "platform/ScopedValue.h"
#include "platform/queue/Toolkit.h"

#include <FL/Fl.H>

#include <dlfcn.h>

namespace host {

namespace {

constexpr unsigned kTickMilliseconds = 50;
constexpr const char* kMainLoopLibrary = "libglib-2.0.so.0";

using MainLoopCallback = int (*)(void*);
using TimeoutAdd = unsigned (*)(unsigned, MainLoopCallback, void*);
using SourceRemove = int (*)(unsigned);

bool g_ticking = false;

} // namespace

FileDialogWakeUp::FileDialogWakeUp() {
    // The library must stay loaded once it was: it cannot be unloaded safely.
    m_mainLoopLibrary = dlopen(kMainLoopLibrary, RTLD_LAZY | RTLD_NODELETE);
    if (!m_mainLoopLibrary) {
        return;
    }
    auto add = reinterpret_cast<TimeoutAdd>(dlsym(m_mainLoopLibrary, "g_timeout_add"));
    if (add) {
        m_timerId = add(kTickMilliseconds, OnMainLoopTick, nullptr);
    }
}

FileDialogWakeUp::~FileDialogWakeUp() {
    if (!m_mainLoopLibrary) {
        return;
    }
    auto remove = reinterpret_cast<SourceRemove>(dlsym(m_mainLoopLibrary, "g_source_remove"));
    if (remove && m_timerId) {
        remove(m_timerId);
    }
    dlclose(m_mainLoopLibrary);
}

int FileDialogWakeUp::OnMainLoopTick(void*) {
    // A tick while our loop runs inside an earlier one must not nest again.
    if (g_ticking) {
        return 1;
    }
    const ScopedValue<bool> ticking(g_ticking, true);
    Toolkit::RunInside([] { Fl::check(); });
    return 1; // keep the timer
}

} // namespace host
