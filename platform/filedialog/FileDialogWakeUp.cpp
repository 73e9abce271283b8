#include "platform/filedialog/FileDialogWakeUp.h"

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
    mainLoopLibrary_ = dlopen(kMainLoopLibrary, RTLD_LAZY | RTLD_NODELETE);
    if (!mainLoopLibrary_) {
        return;
    }
    auto add = reinterpret_cast<TimeoutAdd>(dlsym(mainLoopLibrary_, "g_timeout_add"));
    if (add) {
        timerId_ = add(kTickMilliseconds, OnMainLoopTick, nullptr);
    }
}

FileDialogWakeUp::~FileDialogWakeUp() {
    if (!mainLoopLibrary_) {
        return;
    }
    auto remove = reinterpret_cast<SourceRemove>(dlsym(mainLoopLibrary_, "g_source_remove"));
    if (remove && timerId_) {
        remove(timerId_);
    }
    dlclose(mainLoopLibrary_);
}

int FileDialogWakeUp::OnMainLoopTick(void*) {
    // A tick while our loop runs inside an earlier one must not nest again.
    if (!g_ticking) {
        g_ticking = true;
        Fl::check();
        g_ticking = false;
    }
    return 1; // keep the timer
}

} // namespace host
