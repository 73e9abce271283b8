#include "framework/CArchive.h"

#include "framework/CFileException.h"

#include <cassert>
#include <cerrno>
#include <cstring>
#include <unistd.h>

CArchive::CArchive(int fd, std::string fileName, std::size_t bufferSize)
    : m_fd(fd), m_fileName(std::move(fileName)), m_buffer(bufferSize) {
    assert(bufferSize > 0);
}

bool CArchive::Refill() {
    for (;;) {
        const ssize_t got = ::read(m_fd, m_buffer.data(), m_buffer.size());
        if (got >= 0) {
            m_begin = 0;
            m_end = static_cast<std::size_t>(got);
            return got > 0;
        }
        if (errno != EINTR) {
            throw CFileException::FromErrno(errno, m_fileName);
        }
    }
}

std::size_t CArchive::Read(void* data, std::size_t count) {
    assert(!m_closed);
    auto* out = static_cast<char*>(data);
    std::size_t done = 0;
    while (done < count) {
        if (m_begin == m_end && !Refill()) {
            break;
        }
        const std::size_t chunk = std::min(count - done, m_end - m_begin);
        std::memcpy(out + done, m_buffer.data() + m_begin, chunk);
        m_begin += chunk;
        done += chunk;
    }
    return done;
}

void CArchive::ReadExactly(void* data, std::size_t count) {
    if (Read(data, count) != count) {
        throw CArchiveException(CArchiveException::EndOfFile);
    }
}
