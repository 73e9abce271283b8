#pragma once
// Path functions shared by opening files and the recent-file list. Paths are
// POSIX paths: "/" is the only separator and names are case-sensitive.

#include "platform/HostTypes.h"

#include <string>

/// Makes in absolute (relative to the current directory) and names the file
/// that open(2) would open for it: the longest leading part that exists is
/// resolved as the system resolves it (links followed, "." and ".." taken
/// from the real folders), the rest is appended as written, with repeated
/// "/" collapsed. So a name the system refuses ("missing/../m.dat", "m.dat/"
/// for a file) stays one it refuses. Returns FALSE, with out = in, when in
/// is empty or the current directory cannot be found; callers may still use
/// out then.
host::BOOL FullPath(std::string& out, const std::string& in);

/// Whether a and b name the same file: an exact comparison, since two names
/// that differ only in case are two files here. FALSE when either is empty.
host::BOOL SamePath(const std::string& a, const std::string& b);

/// The name as file managers show it: the text after the last "/", extension
/// kept. Empty for a path that ends in "/".
std::string FileTitle(const std::string& path);

/// Shortens text to at most max characters (UTF-8 characters, not bytes),
/// keeping the front ("/" and the first directory) and as many trailing
/// directories with the file name as fit, joined by "/...". When even that
/// does not fit the text becomes the file name alone, or, when the file name
/// itself is longer than max, the file name if atLeastName is set and empty
/// otherwise. A text of at most max characters is kept.
void AbbreviatePath(std::string& text, int max, host::BOOL atLeastName);

/// The profile file name for an executable: its base name without directory
/// and without extension (cut at its last "." unless that starts the name),
/// followed by ".INI". "" when the path names no file.
std::string ProfileFileName(const std::string& exePath);

/// Where a profile file of that name lives: in $XDG_CONFIG_HOME when that is
/// an absolute path, else in $HOME/.config when $HOME is one. "" when there
/// is no such folder or no name: then no profile is read or written, rather
/// than one in whatever folder the program was started from.
std::string ProfileFilePath(const std::string& profileName);

/// The program's path: argv0 when it names a file, else the one the system
/// knows (/proc/self/exe); "" when neither does.
std::string ProgramPath(const std::string& argv0);
