#include "framework/CCommandLineInfo.h"

#include "platform/AsciiText.h"

using host::BOOL;
using host::FALSE;
using host::TRUE;

namespace {

bool IsUnregister(const std::string& text) {
    return host::EqualsIgnoringAsciiCase(text, "Unregister") ||
           host::EqualsIgnoringAsciiCase(text, "Unregserver");
}

} // namespace

bool CCommandLineInfo::IsKnownFlag(const std::string& text) {
    return text == "pt" || text == "p" || text == "dde" || IsUnregister(text) ||
           host::EqualsIgnoringAsciiCase(text, "Embedding") ||
           host::EqualsIgnoringAsciiCase(text, "Automation");
}

void CCommandLineInfo::ParseArguments(const std::vector<std::string>& arguments) {
    for (std::size_t i = 0; i < arguments.size(); ++i) {
        const std::string& argument = arguments[i];
        const BOOL isLast = host::ToBOOL(i + 1 == arguments.size());
        const bool dash = !argument.empty() && argument[0] == '-';
        const bool slashFlag =
            !argument.empty() && argument[0] == '/' && IsKnownFlag(argument.substr(1));
        if (dash || slashFlag) {
            ParseArgument(argument.substr(1), TRUE, isLast);
            continue;
        }
        ParseArgument(argument, FALSE, isLast);
    }
}

void CCommandLineInfo::ParseArgument(const std::string& text, BOOL isFlag, BOOL isLast) {
    if (isFlag) {
        ParseFlag(text);
    } else {
        ParsePlain(text);
    }
    if (isLast) {
        ParseLast();
    }
}

void CCommandLineInfo::ParseFlag(const std::string& text) {
    if (text == "pt") {
        m_shellCommand = PrintFileTo;
    } else if (text == "p") {
        m_shellCommand = PrintFile;
    } else if (IsUnregister(text)) {
        m_shellCommand = UnregisterRequest;
    } else if (text == "dde") {
        m_shellCommand = ShellDde;
    } else if (host::EqualsIgnoringAsciiCase(text, "Embedding")) {
        m_runEmbedded = TRUE;
        m_showSplash = FALSE;
    } else if (host::EqualsIgnoringAsciiCase(text, "Automation")) {
        m_runAutomated = TRUE;
        m_showSplash = FALSE;
    }
}

void CCommandLineInfo::ParsePlain(const std::string& text) {
    if (m_fileName.empty()) {
        m_fileName = text;
        return;
    }
    if (m_shellCommand != PrintFileTo) {
        return;
    }
    if (m_printerName.empty()) {
        m_printerName = text;
    } else if (m_driverName.empty()) {
        m_driverName = text;
    } else if (m_portName.empty()) {
        m_portName = text;
    }
}

void CCommandLineInfo::ParseLast() {
    if (m_shellCommand == NewFile && !m_fileName.empty()) {
        m_shellCommand = OpenNamedFile;
    }
    m_showSplash = !m_runEmbedded && !m_runAutomated;
}
