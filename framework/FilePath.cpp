#include "framework/FilePath.h"

#include "platform/Utf8Text.h"

#include <cerrno>
#include <climits>
#include <cstdlib>
#include <filesystem>
#include <memory>
#include <optional>
#include <unistd.h>
#include <vector>

using host::BOOL;
using host::FALSE;
using host::TRUE;

namespace {

std::string CurrentDirectory() {
    std::vector<char> buffer(PATH_MAX);
    while (getcwd(buffer.data(), buffer.size()) == nullptr) {
        if (errno != ERANGE) {
            return {};
        }
        buffer.resize(buffer.size() * 2);
    }
    return buffer.data();
}

/// The names of a path, in order; the empty ones that repeated "/" make are
/// left out, as the system does.
std::vector<std::string> Names(const std::string& path) {
    std::vector<std::string> names;
    std::size_t pos = 0;
    while (pos < path.size()) {
        std::size_t slash = path.find('/', pos);
        if (slash == std::string::npos) {
            slash = path.size();
        }
        if (slash > pos) {
            names.push_back(path.substr(pos, slash - pos));
        }
        pos = slash + 1;
    }
    return names;
}

/// The physical form of path (links followed, "." and ".." taken as the
/// system takes them), or nothing when the system cannot resolve it.
std::optional<std::string> RealPath(const std::string& path) {
    std::unique_ptr<char, decltype(&std::free)> resolved(realpath(path.c_str(), nullptr),
                                                         &std::free);
    if (!resolved) {
        return std::nullopt;
    }
    return std::string(resolved.get());
}

/// The file that open(2) would open for an absolute path: the longest prefix
/// of its names that resolves, in physical form, followed by the names after
/// it as written. Those cannot be resolved as text: ".." after a link leads
/// to the link target's parent, and after a missing folder, or "/" and "."
/// after a file, the system refuses the name, so the result must keep them
/// to be refused the same way.
std::string Resolve(const std::string& absolute) {
    if (std::optional<std::string> whole = RealPath(absolute)) {
        return *whole;
    }
    const std::vector<std::string> names = Names(absolute);
    std::string resolved;
    std::string prefix;
    std::size_t kept = 0;
    for (; kept < names.size(); ++kept) {
        prefix += "/" + names[kept];
        const std::optional<std::string> real = RealPath(prefix);
        if (!real) {
            break; // every longer prefix fails as well
        }
        resolved = *real == "/" ? std::string() : *real;
    }
    for (std::size_t i = kept; i < names.size(); ++i) {
        resolved += "/" + names[i];
    }
    if (resolved.empty() || absolute.back() == '/') {
        resolved += '/';
    }
    return resolved;
}

/// Characters of UTF-8 text, as an int for the arithmetic with lengths.
int CharacterCount(const std::string& text, std::size_t from = 0,
                   std::size_t to = std::string::npos) {
    return static_cast<int>(host::Utf8Length(text, from, to));
}

/// An absolute folder from the environment variable, or "": a relative one
/// would put the profile wherever the program was started.
std::string AbsoluteFolder(const char* variable) {
    const char* value = std::getenv(variable);
    return value != nullptr && value[0] == '/' ? value : "";
}

} // namespace

BOOL FullPath(std::string& out, const std::string& in) {
    if (in.empty()) {
        out = in;
        return FALSE;
    }
    std::string absolute = in;
    if (in[0] != '/') {
        const std::string cwd = CurrentDirectory();
        if (cwd.empty()) {
            out = in;
            return FALSE;
        }
        absolute = cwd + "/" + in;
    }
    out = Resolve(absolute);
    return TRUE;
}

BOOL SamePath(const std::string& a, const std::string& b) {
    // An empty name names no file: above all not the untitled document's.
    return host::ToBOOL(!a.empty() && a == b);
}

std::string FileTitle(const std::string& path) {
    const std::size_t slash = path.rfind('/');
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

void AbbreviatePath(std::string& text, int max, BOOL atLeastName) {
    const int length = CharacterCount(text);
    if (max >= length) {
        return;
    }
    const std::size_t slash = text.rfind('/');
    const std::size_t nameStart = slash == std::string::npos ? 0 : slash + 1;
    const std::string name = text.substr(nameStart);
    const int nameLength = CharacterCount(name);
    if (max < nameLength) {
        text = atLeastName ? name : std::string();
        return;
    }
    // The front that is always kept: a leading "/" with the first directory,
    // or the first directory of a relative path.
    std::size_t volumeEnd = text.find('/', 1);
    if (volumeEnd == std::string::npos || volumeEnd >= nameStart) {
        text = name;
        return;
    }
    const int volumeLength = CharacterCount(text, 0, volumeEnd);
    if (max < volumeLength + 5 + nameLength) {
        text = name;
        return;
    }
    std::size_t restStart = volumeEnd;
    while (volumeLength + 4 + CharacterCount(text, restStart) > max) {
        restStart = text.find('/', restStart + 1);
    }
    text = text.substr(0, volumeEnd) + "/..." + text.substr(restStart);
}

std::string ProfileFileName(const std::string& exePath) {
    std::string base = FileTitle(exePath);
    // A leading "." hides a file; it starts no extension.
    const std::size_t dot = base.rfind('.');
    if (dot != std::string::npos && dot > 0) {
        base.erase(dot);
    }
    return base.empty() ? base : base + ".INI";
}

std::string ProfileFilePath(const std::string& profileName) {
    if (profileName.empty()) {
        return {};
    }
    if (const std::string config = AbsoluteFolder("XDG_CONFIG_HOME"); !config.empty()) {
        return config + "/" + profileName;
    }
    if (const std::string home = AbsoluteFolder("HOME"); !home.empty()) {
        return home + "/.config/" + profileName;
    }
    return {};
}

std::string ProgramPath(const std::string& argv0) {
    if (!FileTitle(argv0).empty()) {
        return argv0;
    }
    std::error_code error;
    std::string path = std::filesystem::read_symlink("/proc/self/exe", error).string();
    if (error) {
        return {};
    }
    // The kernel marks a program whose file was replaced while it runs.
    const std::string deleted = " (deleted)";
    if (path.size() > deleted.size() &&
        path.compare(path.size() - deleted.size(), deleted.size(), deleted) == 0) {
        path.erase(path.size() - deleted.size());
    }
    return path;
}
