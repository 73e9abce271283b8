#pragma once
// Filling the framework's texts.

#include <string>

/// format with every "%1" replaced by arg. Other "%" sequences stay as they
/// are, and arg is not scanned again, so a file name holding "%1" is shown as
/// written.
std::string FormatText(const std::string& format, const std::string& arg);

/// Field index of a "\n"-separated document string: the text between the
/// index-th and the next separator; "" when the string has fewer fields.
std::string DocStringField(const std::string& docString, int index);
