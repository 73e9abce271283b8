#pragma once

#include <stdexcept>

/// The command line asks for the usage text (--help or -h, wherever it
/// stands). Thrown by OptionReader and caught once, in RunTool, which prints
/// the tool's usage on stdout and ends the program with status 0.
class HelpRequest : public std::runtime_error {
public:
    HelpRequest() : std::runtime_error("help requested") {}
};
