#pragma once
// Which driver file the GL library will load, from the settings it reads.

#include <string>
#include <vector>

namespace host {

/// The environment's say in it; a null member is a variable that is not set.
struct GlDriverSettings {
    const char* vendor = nullptr;        ///< __GLX_VENDOR_LIBRARY_NAME
    const char* indirect = nullptr;      ///< LIBGL_ALWAYS_INDIRECT
    const char* driverFolders = nullptr; ///< LIBGL_DRIVERS_PATH, folders split by ':'
};

/// The first regular file named swrast_dri.so in the folders that the GL
/// library searches: driverFolders when it is set (empty entries skipped; set
/// but empty, no folder at all), else defaultFolders. Every gallium driver of
/// a Mesa installation is this one file under other names, and the dynamic
/// loader keeps one copy of a file whatever name loads it, so it stands for
/// the hardware's driver as well as the software one. Empty when another
/// vendor's GL is asked for, when rendering is indirect (the X server draws,
/// no driver is loaded here) or when no folder holds the file.
std::string FindGlDriver(const GlDriverSettings& settings,
                         const std::vector<std::string>& defaultFolders);

} // namespace host
