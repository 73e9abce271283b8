#pragma once
// What every tool's main shares: reporting a failure in one line.

#include <functional>
#include <string>
#include <vector>

/// Runs body with the command line (without the program's name) and returns
/// the exit status: 0 when body returns, or throws HelpRequest after which
/// usage is printed on stdout, or VersionRequest, after which "PROGRAM
/// VERSION" is; 2 when it throws UsageError; 1 when it throws
/// anything else. A failure is printed as one line on stderr,
/// "PROGRAM: REASON", with a pointer to --help for a usage error.
int RunTool(const char* program, const char* usage, int argc, char** argv,
            const std::function<void(const std::vector<std::string>&)>& body);
