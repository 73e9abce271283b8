#pragma once
// Most of the time that loading the menu bar's font takes goes to reading the
// font configuration: its files, and the caches of the fonts installed. That
// part needs neither the display nor a GL context, so it can go on beside
// other start-up work on another processor.

#include <thread>

namespace host {

/// Reads the font configuration on a thread of its own for as long as it
/// lives, and waits for that to end when it goes. Fonts loaded after it find
/// the configuration read (PrepareMenuFont). Reads nothing before OpenDisplay,
/// when no font is loaded. Where no thread can be started, the reading is left
/// to the first font loaded, as it would have been.
class FontConfigurationLoad {
public:
    FontConfigurationLoad();
    ~FontConfigurationLoad();
    FontConfigurationLoad(const FontConfigurationLoad&) = delete;
    FontConfigurationLoad& operator=(const FontConfigurationLoad&) = delete;

    /// Waits for the reading to end; true when the configuration is read.
    /// False where it cannot be read, before OpenDisplay, or where no thread
    /// could be started.
    bool Wait();

private:
    std::thread m_reader;
    bool m_read = false; ///< written by m_reader, read once it has ended
};

} // namespace host
