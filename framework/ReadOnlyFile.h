#pragma once
// A file opened for reading while other programs may read it but not write
// it: a program that holds a write lock on it (flock, fcntl or lockf) makes
// the open fail as a sharing violation, and a shared flock lock is held while
// it is read.

#include <cstdint>
#include <string>

class ReadOnlyFile {
public:
    /// Opens path. Throws CFileException with the cause for the failure: a
    /// missing file, a bad path (a missing folder on the way, a file used as
    /// a folder, an empty name), a directory or another file that is not a
    /// regular file (access denied), a file another program holds locked
    /// (sharing violation). Never blocks on a pipe or device.
    explicit ReadOnlyFile(const std::string& path);
    ~ReadOnlyFile();
    ReadOnlyFile(const ReadOnlyFile&) = delete;
    ReadOnlyFile& operator=(const ReadOnlyFile&) = delete;

    int Descriptor() const { return m_fd; }
    std::uint64_t Length() const { return m_length; }

private:
    int m_fd = -1;
    std::uint64_t m_length = 0;
};
