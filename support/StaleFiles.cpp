#include "support/StaleFiles.h"

#include <ctime>
#include <dirent.h>
#include <fcntl.h>
#include <memory>
#include <sys/stat.h>
#include <unistd.h>

void RemoveStaleFiles(const std::string& folder,
                      const std::function<bool(std::string_view name)>& isLeftOver) {
    // A temporary file this old belongs to no run that is still writing it.
    constexpr std::time_t kStaleAfter = 60 * 60;
    const std::string where = folder.empty() ? "." : folder;
    const std::unique_ptr<DIR, int (*)(DIR*)> listing(opendir(where.c_str()), &closedir);
    if (!listing) {
        return;
    }
    const std::time_t stale = std::time(nullptr) - kStaleAfter;
    while (const dirent* entry = readdir(listing.get())) {
        struct stat info {};
        if (!isLeftOver(entry->d_name) ||
            fstatat(dirfd(listing.get()), entry->d_name, &info, AT_SYMLINK_NOFOLLOW) != 0) {
            continue;
        }
        if (S_ISREG(info.st_mode) && info.st_mtime < stale) {
            unlinkat(dirfd(listing.get()), entry->d_name, 0);
        }
    }
}
