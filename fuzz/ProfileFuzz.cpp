// Gives the profile arbitrary text, then a script of writes, key deletions,
// section deletions and reads drawn from the input, sometimes gathered in a
// batch. What is written reads back the same: at once, and from the file
// once it is replaced; what is deleted reads back as missing. Reading and
// writing never crash, whatever the text.

#include "platform/PrivateProfile.h"

#include <fuzzer/FuzzedDataProvider.h>

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <map>
#include <optional>
#include <string>
#include <unistd.h>
#include <utility>

namespace {

void Check(bool condition) {
    if (!condition) {
        std::abort();
    }
}

/// The profile's file, one for the process, in memory where /dev/shm allows:
/// every write replaces it and syncs it.
const std::string& ProfilePath() {
    static const std::string path = [] {
        static std::string folder = ::access("/dev/shm", W_OK) == 0
                                        ? "/dev/shm/kovo-profile-fuzz-XXXXXX"
                                        : "/tmp/kovo-profile-fuzz-XXXXXX";
        Check(::mkdtemp(folder.data()) != nullptr);
        std::atexit([] { std::filesystem::remove_all(folder); });
        return folder + "/fuzz.INI";
    }();
    return path;
}

/// A name as the profile compares names: blanks around it dropped, ASCII
/// letters in one case.
std::string Folded(const std::string& name) {
    const std::size_t begin = name.find_first_not_of(" \t");
    if (begin == std::string::npos) {
        return {};
    }
    std::string folded = name.substr(begin, name.find_last_not_of(" \t") + 1 - begin);
    for (char& c : folded) {
        c = c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
    }
    return folded;
}

/// What one key must read as, with the names to ask for it by.
struct Expected {
    std::string section;
    std::string key;
    std::optional<std::string> value; ///< none: it must read as missing
};
using Model = std::map<std::pair<std::string, std::string>, Expected>;

constexpr const char* kMissing = "\x01missing";

void CheckReads(const host::PrivateProfile& profile, const Model& model) {
    for (const auto& [folded, expected] : model) {
        const std::string read =
            profile.ReadString(expected.section.c_str(), expected.key.c_str(), kMissing);
        Check(read == expected.value.value_or(kMissing));
    }
}

/// Text without NUL, as a C string reaches the profile.
std::string Name(FuzzedDataProvider& data, std::size_t length) {
    return data.ConsumeRandomLengthString(length).c_str();
}

/// One write, key deletion, section deletion or number read, and what it
/// makes the model expect. Refused writes (names or values the format
/// cannot hold) expect nothing.
void Step(host::PrivateProfile& profile, FuzzedDataProvider& data, Model& model) {
    const int action = data.ConsumeIntegralInRange(0, 3);
    const std::string section = Name(data, 12);
    const std::string key = Name(data, 12);
    const std::string value = Name(data, 40);
    const std::pair<std::string, std::string> folded{Folded(section), Folded(key)};
    switch (action) {
    case 0:
        if (profile.WriteString(section.c_str(), key.c_str(), value.c_str())) {
            model[folded] = {section, key, value};
        }
        return;
    case 1:
        if (profile.WriteString(section.c_str(), key.c_str(), nullptr)) {
            model[folded] = {section, key, std::nullopt};
        }
        return;
    case 2:
        if (profile.WriteString(section.c_str(), nullptr, nullptr)) {
            for (auto& [names, expected] : model) {
                if (names.first == folded.first) {
                    expected.value.reset();
                }
            }
        }
        return;
    default:
        profile.ReadInt(section.c_str(), key.c_str(), 0);
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* bytes, std::size_t size) {
    FuzzedDataProvider data(bytes, size);
    const std::string text = data.ConsumeRandomLengthString(4096);
    std::ofstream(ProfilePath(), std::ios::binary | std::ios::trunc) << text;
    const bool batch = data.ConsumeBool();
    Model model;
    {
        host::PrivateProfile profile(ProfilePath());
        Check(!batch || profile.BeginBatch());
        while (data.remaining_bytes() > 0) {
            Step(profile, data, model);
            CheckReads(profile, model);
        }
        Check(!batch || profile.CommitBatch());
    }
    CheckReads(host::PrivateProfile(ProfilePath()), model);
    return 0;
}
