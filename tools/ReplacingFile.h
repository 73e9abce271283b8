#pragma once
// A file that appears at its path complete or not at all.

#include <cstdio>
#include <string>

/// Writes go to a hidden temporary file in the target's folder, which Commit
/// renames over the target in one step. Until then the target keeps what it
/// held, and a failure or an exception removes the temporary file, so no
/// partial file is ever left. The file gets the permissions that the umask
/// allows a new file; a symbolic link at the target is replaced, not followed.
class ReplacingFile {
public:
    /// Creates the temporary file beside target. Throws OutputFileError when
    /// target names a folder or no file, or its folder cannot take a new file
    /// (missing, not writable), or when input, where given, is the same file
    /// as target (same device and inode), which is never to be replaced.
    explicit ReplacingFile(std::string target, const std::string& input = {});
    /// Removes the temporary file unless Commit put it in place.
    ~ReplacingFile();
    ReplacingFile(const ReplacingFile&) = delete;
    ReplacingFile& operator=(const ReplacingFile&) = delete;

    /// Where to write; open until Commit.
    std::FILE* Stream() const { return m_stream; }
    const std::string& Target() const { return m_target; }

    /// Finishes the writes and puts the file at the target. Throws
    /// OutputFileError when a write failed (a full disk) or the rename does;
    /// the target is then unchanged. Call once.
    void Commit();

private:
    void CloseStream();

    std::string m_target;
    std::string m_temporary;       ///< empty once renamed into place
    std::FILE* m_stream = nullptr; ///< owned, on the temporary file
};
