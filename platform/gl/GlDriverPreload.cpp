#include "platform/GlDriverPreload.h"

#include "platform/gl/GlDriverSearch.h"

#include <cstdlib>

#include <dlfcn.h>

namespace host {

namespace {

// Where the distribution installs Mesa's drivers: the multiarch folder this
// program was built for, then the customary ones.
std::vector<std::string> DefaultDriverFolders() {
    std::vector<std::string> folders;
#ifdef KOVO_MULTIARCH_DRI_FOLDER
    folders.emplace_back(KOVO_MULTIARCH_DRI_FOLDER);
#endif
    folders.emplace_back("/usr/lib64/dri");
    folders.emplace_back("/usr/lib/dri");
    return folders;
}

} // namespace

std::string GlDriverToPreload() {
    GlDriverSettings settings;
    settings.vendor = std::getenv("__GLX_VENDOR_LIBRARY_NAME");
    settings.indirect = std::getenv("LIBGL_ALWAYS_INDIRECT");
    settings.driverFolders = std::getenv("LIBGL_DRIVERS_PATH");
    return FindGlDriver(settings, DefaultDriverFolders());
}

void PreloadGlDriver() noexcept {
    try {
        const std::string path = GlDriverToPreload();
        if (path.empty()) {
            return;
        }
        // The handle is let go of on purpose: the library stays loaded, as the
        // GL library keeps it, and its own load then only counts one more user.
        if (::dlopen(path.c_str(), RTLD_NOW | RTLD_GLOBAL) == nullptr) {
            ::dlerror(); // clears the failure, which the GL library reports itself
        }
    } catch (...) {
        // Out of memory for a path: the GL library loads the driver itself.
    }
}

} // namespace host
