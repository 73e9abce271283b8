#include "framework/FilePath.h"

#include "platform/Utf8Text.h"

#include <cerrno>
#include <climits>
#include <cstdlib>
#include <memory>
#include <pwd.h>
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

/// Joins the components of an absolute path, dropping "" and "." and letting
/// ".." take away the component before it.
std::string Normalise(const std::string& absolute) {
    std::vector<std::string> parts;
    std::size_t pos = 0;
    while (pos <= absolute.size()) {
        std::size_t slash = absolute.find('/', pos);
        if (slash == std::string::npos) {
            slash = absolute.size();
        }
        const std::string part = absolute.substr(pos, slash - pos);
        pos = slash + 1;
        if (part.empty() || part == ".") {
            continue;
        }
        if (part == "..") {
            if (!parts.empty()) {
                parts.pop_back();
            }
            continue;
        }
        parts.push_back(part);
    }
    std::string out;
    for (const std::string& part : parts) {
        out += "/" + part;
    }
    return out.empty() ? "/" : out;
}

/// The resolved path when the file exists, else the path unchanged.
std::string ResolveLinks(const std::string& path) {
    std::unique_ptr<char, decltype(&std::free)> resolved(realpath(path.c_str(), nullptr),
                                                         &std::free);
    return resolved ? std::string(resolved.get()) : path;
}

/// Characters of UTF-8 text, as an int for the arithmetic with lengths.
int CharacterCount(const std::string& text, std::size_t from = 0,
                   std::size_t to = std::string::npos) {
    return static_cast<int>(host::Utf8Length(text, from, to));
}

std::string HomeDirectory() {
    if (const char* home = std::getenv("HOME"); home != nullptr && *home != '\0') {
        return home;
    }
    const passwd* entry = getpwuid(getuid());
    return entry != nullptr && entry->pw_dir != nullptr ? entry->pw_dir : "";
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
    out = ResolveLinks(Normalise(absolute));
    return TRUE;
}

BOOL SamePath(const std::string& a, const std::string& b) {
    return host::ToBOOL(a == b);
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
    const std::size_t dot = base.rfind('.');
    if (dot != std::string::npos) {
        base.erase(dot);
    }
    return base + ".INI";
}

std::string ProfileFilePath(const std::string& profileName) {
    if (const char* config = std::getenv("XDG_CONFIG_HOME");
        config != nullptr && config[0] == '/') {
        return std::string(config) + "/" + profileName;
    }
    const std::string home = HomeDirectory();
    if (home.empty()) {
        return profileName;
    }
    return home + "/.config/" + profileName;
}
