#pragma once
// The connection to the display. Without it the host layer keeps windows,
// menus and queues as data only, which is how most tests run.

#include "platform/HostTypes.h"

namespace host {

/// Opens the X display named by $DISPLAY and starts the toolkit bridge:
/// toolkit peers for windows, the key hook that feeds accelerators, paints
/// turned into WM_PAINT. FALSE when no display can be opened.
BOOL OpenDisplay();
/// TRUE once OpenDisplay succeeded.
BOOL HasDisplay();
/// Handles pending toolkit events (and so posts their messages) without
/// waiting; waits up to seconds when nothing is pending and seconds > 0.
void ProcessToolkitEvents(double seconds);

/// While at least one ModalScope lives, a toolkit check hook dispatches our
/// posted messages and paints, so that the program's windows keep working
/// while a toolkit modal loop (a dialog, a popup menu) runs. The toolkit's
/// loop cannot pass an exception on: one that a window procedure lets out
/// there is reported on the standard error stream, and the loop goes on.
class ModalScope {
public:
    ModalScope();
    ~ModalScope();
    ModalScope(const ModalScope&) = delete;
    ModalScope& operator=(const ModalScope&) = delete;
};

} // namespace host
