#pragma once
// Loading the OpenGL driver before the first context needs it. A software
// renderer's driver is a large library with a compiler inside, some 15 ms to
// load and link here, and the display's first GL call loads it on the main
// thread, on the way to the first frame. Loaded ahead on a thread with time
// to spare, with the flags the GL library uses, the later load finds it ready.

#include <string>

namespace host {

/// The driver library that the display's GL will most likely load, as far as
/// the environment tells before any display is open; empty when none can be
/// named, or when the settings say that GL will load none of Mesa's.
std::string GlDriverToPreload();

/// Loads GlDriverToPreload() and keeps it for the rest of the process, as the
/// GL library would. Does nothing when there is nothing to load or the load
/// fails, which the GL library will then meet and report itself. Safe on any
/// thread; never throws.
void PreloadGlDriver() noexcept;

} // namespace host
