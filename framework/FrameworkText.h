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

/// text as a caption or a menu label can show it: each control character is
/// written out the way "ls -b" writes it, the usual ones as "\t", "\n", "\r"
/// and the like, the others (C0, DEL, and U+0080..U+009F in UTF-8) as a
/// backslash with three octal digits per byte. A tab would otherwise cut a
/// menu label and a line feed split a caption. Everything else, invalid UTF-8
/// and backslashes included, is kept.
std::string VisibleText(const std::string& text);
