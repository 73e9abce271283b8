#pragma once
// A tool's output file, which never destroys the tool's input or a file that
// is not the tool's to replace.

#include "tools/OutputTarget.h"

#include <cstdio>
#include <string>

/// An output path, looked up by OutputTarget: a symbolic link is followed to
/// its target. A new or regular file is by default written to a hidden
/// temporary file beside it, ".NAME.PID-N.tmp", which Commit renames over it
/// in one step; until then the file keeps what it held, and a failure or an
/// exception removes the temporary file, so no partial file is ever left. A
/// replaced file keeps its permissions (and its owner where the user may give
/// it away); a new one gets those that the umask allows. Temporary files of
/// the same output that a killed run left, an hour old or more, are removed.
/// A FIFO or a character device is written to directly, never replaced; so is
/// a regular file when InPlace is asked for. Those writes are kept in memory
/// until Commit, so a failure before it writes nothing.
class ReplacingFile {
public:
    /// How a regular file is overwritten.
    enum class Overwrite {
        ByRename, ///< the new file is renamed over it
        InPlace,  ///< it is truncated and written through its own inode, so
                  ///< that a reader holding it open reads the new content
    };

    /// Looks target up, and for ByRename creates the temporary file. input is
    /// the path of the file the tool reads (empty: none, standard input).
    /// Throws OutputFileError, whose text starts with target, when
    /// OutputTarget::Find refuses target (the input itself, a folder, ...) or
    /// its folder cannot take a new file (missing, not writable).
    explicit ReplacingFile(std::string target, const std::string& input = {},
                           Overwrite overwrite = Overwrite::ByRename);
    /// Removes the temporary file unless Commit put it in place.
    ~ReplacingFile();
    ReplacingFile(const ReplacingFile&) = delete;
    ReplacingFile& operator=(const ReplacingFile&) = delete;

    /// Where to write; open until Commit.
    std::FILE* Stream() const { return m_stream; }
    const std::string& Target() const { return m_target; }

    /// Finishes the writes and puts them at the target. Throws OutputFileError
    /// when a write fails (a full disk) or the rename does; a renamed target is
    /// then unchanged, one written directly holds what was written before the
    /// failure. Call once.
    void Commit();

private:
    void OpenBeside();
    void CloseStream();
    void WriteDirectly();

    std::string m_target;          ///< as given, for messages
    OutputTarget m_output;         ///< what the target is
    std::string m_temporary;       ///< empty when none, or once renamed into place
    std::FILE* m_stream = nullptr; ///< owned, on the temporary file or in memory
    char* m_memory = nullptr;      ///< owned (malloc), the writes kept in memory
    std::size_t m_memorySize = 0;
};
