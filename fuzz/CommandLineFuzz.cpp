// Parses arbitrary argument lists and compares the request with one worked
// out here from the flag table, argument by argument: the flags it sets, the
// file name (the first plain argument that is not empty), the printer,
// driver and port names (plain arguments that follow while printing to a
// printer is asked), and the request that the file name turns a new file
// into.

#include "framework/CCommandLineInfo.h"

#include <fuzzer/FuzzedDataProvider.h>

#include <array>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

namespace {

void Check(bool condition) {
    if (!condition) {
        std::abort();
    }
}

std::string Lower(std::string text) {
    for (char& c : text) {
        c = c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
    }
    return text;
}

struct Flag {
    const char* text;
    bool anyCase;
    int command; ///< the request it makes, or -2 for none
    bool embedded;
    bool automated;
};

constexpr int kKeep = -2;
constexpr std::array<Flag, 7> kFlags = {{
    {"pt", false, CCommandLineInfo::PrintFileTo, false, false},
    {"p", false, CCommandLineInfo::PrintFile, false, false},
    {"dde", false, CCommandLineInfo::ShellDde, false, false},
    {"unregister", true, CCommandLineInfo::UnregisterRequest, false, false},
    {"unregserver", true, CCommandLineInfo::UnregisterRequest, false, false},
    {"embedding", true, kKeep, true, false},
    {"automation", true, kKeep, false, true},
}};

const Flag* FindFlag(const std::string& text) {
    for (const Flag& flag : kFlags) {
        if ((flag.anyCase ? Lower(text) : text) == flag.text) {
            return &flag;
        }
    }
    return nullptr;
}

/// The request the arguments make, worked out from the table above.
CCommandLineInfo Expected(const std::vector<std::string>& arguments) {
    CCommandLineInfo info;
    for (const std::string& argument : arguments) {
        const char lead = argument.empty() ? '\0' : argument[0];
        const Flag* flag = lead == '-' || lead == '/' ? FindFlag(argument.substr(1)) : nullptr;
        if (lead == '-' || flag != nullptr) {
            if (flag != nullptr && flag->command != kKeep) {
                info.m_shellCommand = static_cast<CCommandLineInfo::ShellCommand>(flag->command);
            }
            info.m_runEmbedded |= flag != nullptr && flag->embedded;
            info.m_runAutomated |= flag != nullptr && flag->automated;
            continue;
        }
        std::string* const fields[] = {&info.m_fileName, &info.m_printerName, &info.m_driverName,
                                       &info.m_portName};
        const int open = info.m_shellCommand == CCommandLineInfo::PrintFileTo ? 4 : 1;
        for (int i = 0; i < open; ++i) {
            if (fields[i]->empty()) {
                *fields[i] = argument;
                break;
            }
        }
    }
    if (!arguments.empty()) {
        if (info.m_shellCommand == CCommandLineInfo::NewFile && !info.m_fileName.empty()) {
            info.m_shellCommand = CCommandLineInfo::OpenNamedFile;
        }
        info.m_showSplash = !info.m_runEmbedded && !info.m_runAutomated;
    }
    return info;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* bytes, std::size_t size) {
    FuzzedDataProvider data(bytes, size);
    std::vector<std::string> arguments;
    while (data.remaining_bytes() > 0 && arguments.size() < 16) {
        // Arguments reach the program as C strings.
        arguments.emplace_back(data.ConsumeRandomLengthString(32).c_str());
    }
    CCommandLineInfo parsed;
    parsed.ParseArguments(arguments);
    const CCommandLineInfo expected = Expected(arguments);
    Check(parsed.m_shellCommand == expected.m_shellCommand);
    Check(parsed.m_showSplash == expected.m_showSplash);
    Check(parsed.m_runEmbedded == expected.m_runEmbedded);
    Check(parsed.m_runAutomated == expected.m_runAutomated);
    Check(parsed.m_fileName == expected.m_fileName);
    Check(parsed.m_printerName == expected.m_printerName);
    Check(parsed.m_driverName == expected.m_driverName);
    Check(parsed.m_portName == expected.m_portName);
    return 0;
}
