#pragma once
// A buffered reader over an open file, handed to a document's Serialize.

#include "framework/CArchiveException.h"

#include <cstddef>
#include <string>
#include <vector>

class CArchive {
public:
    /// Reads from the open descriptor fd (not owned) through a buffer of
    /// bufferSize bytes. fileName names the file in failures.
    CArchive(int fd, std::string fileName, std::size_t bufferSize = 4096);

    bool IsLoading() const { return true; }
    /// Reads up to count bytes into data; returns how many were read (fewer
    /// only at the end of the file). Throws CFileException on a read error.
    std::size_t Read(void* data, std::size_t count);
    /// Reads exactly count bytes; throws CArchiveException (EndOfFile) when
    /// the file ends first.
    void ReadExactly(void* data, std::size_t count);
    /// Ends reading; nothing is read after it.
    void Close() { m_closed = true; }

private:
    bool Refill();

    int m_fd;
    std::string m_fileName;
    std::vector<char> m_buffer;
    std::size_t m_begin = 0;
    std::size_t m_end = 0;
    bool m_closed = false;
};
