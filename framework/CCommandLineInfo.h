#pragma once
// The start-up request made from the program's arguments: a new document, a
// file to open, printing, a shell request or removing the registration.

#include "framework/CObject.h"
#include "platform/HostTypes.h"

#include <string>
#include <vector>

class CCommandLineInfo : public CObject {
public:
    enum ShellCommand {
        NewFile = 0,
        OpenNamedFile = 1,
        PrintFile = 2,
        PrintFileTo = 3,
        ShellDde = 4,
        UnregisterRequest = 5,
        NoCommand = -1,
    };

    /// Takes one argument. A flag (text without its "-" or "/") sets the
    /// request as the flag table says; flags not in the table are ignored.
    /// A plain argument fills the file name when it is still empty, then,
    /// under "pt" only, the printer, driver and port names; others are
    /// ignored. After the last one a file name turns a new-file request into
    /// an open request.
    virtual void ParseArgument(const std::string& text, host::BOOL isFlag, host::BOOL isLast);

    /// Feeds every argument (after the program name) to ParseArgument. "-"
    /// always introduces a flag. "/" introduces one only when the rest is a
    /// flag of the table, since it also starts every absolute path: "/p" is
    /// the print flag, "/home/u/dom.dat" and "/x" are file names.
    void ParseArguments(const std::vector<std::string>& arguments);

    /// Whether text (without its flag character) is a flag of the table,
    /// compared with the table's case rule.
    static bool IsKnownFlag(const std::string& text);

    host::BOOL m_showSplash = host::TRUE;
    host::BOOL m_runEmbedded = host::FALSE;
    host::BOOL m_runAutomated = host::FALSE;
    ShellCommand m_shellCommand = NewFile;
    std::string m_fileName;
    std::string m_printerName;
    std::string m_driverName;
    std::string m_portName;

private:
    void ParseFlag(const std::string& text);
    void ParsePlain(const std::string& text);
    void ParseLast();
};
