#include "platform/gl/GlDriverSearch.h"

#include <cstring>

#include <strings.h>
#include <sys/stat.h>

namespace host {

namespace {

constexpr const char* kDriverFile = "swrast_dri.so";

// The GL library's reading of a yes/no variable: an unknown word is "no".
bool IsYes(const char* value) {
    if (value == nullptr) {
        return false;
    }
    for (const char* yes : {"1", "true", "yes", "y"}) {
        if (strcasecmp(value, yes) == 0) {
            return true;
        }
    }
    return false;
}

bool IsRegularFile(const std::string& path) {
    struct stat status {};
    return ::stat(path.c_str(), &status) == 0 && S_ISREG(status.st_mode);
}

std::vector<std::string> SplitFolders(const char* list) {
    std::vector<std::string> folders;
    for (const char* p = list;; ++p) {
        const char* end = std::strchr(p, ':');
        const std::size_t length = end != nullptr ? end - p : std::strlen(p);
        if (length > 0) {
            folders.emplace_back(p, length);
        }
        if (end == nullptr) {
            return folders;
        }
        p = end;
    }
}

} // namespace

std::string FindGlDriver(const GlDriverSettings& settings,
                         const std::vector<std::string>& defaultFolders) {
    const bool otherVendor =
        settings.vendor != nullptr && std::strcmp(settings.vendor, "mesa") != 0;
    if (otherVendor || IsYes(settings.indirect)) {
        return {};
    }
    const std::vector<std::string> folders =
        settings.driverFolders != nullptr ? SplitFolders(settings.driverFolders) : defaultFolders;
    for (const std::string& folder : folders) {
        const std::string path = folder + "/" + kDriverFile;
        if (IsRegularFile(path)) {
            return path;
        }
    }
    return {};
}

} // namespace host
