#pragma once
// Keeps our queue running while the native file chooser is up. The chooser
// runs only the desktop toolkit's main loop until it closes, so neither our
// toolkit's events (the owner's repaints) nor our queue would be handled
// meanwhile. A periodic timer in that main loop runs our toolkit's loop for
// a moment, and with it the queue.

namespace host {

class FileDialogWakeUp {
public:
    /// Starts the timer. Where the main-loop library is missing (the chooser
    /// then runs our toolkit's loop itself), it does nothing.
    FileDialogWakeUp();
    /// Stops the timer.
    ~FileDialogWakeUp();
    FileDialogWakeUp(const FileDialogWakeUp&) = delete;
    FileDialogWakeUp& operator=(const FileDialogWakeUp&) = delete;

private:
    static int OnMainLoopTick(void* unused);

    void* m_mainLoopLibrary = nullptr; ///< owned: a dlopen handle, closed at the end
    unsigned m_timerId = 0;            ///< the main-loop library's timer, 0 when none
};

} // namespace host
