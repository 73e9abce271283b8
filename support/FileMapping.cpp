#include "support/FileMapping.h"

#include <cstdint>
#include <fcntl.h>
#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>

std::unique_ptr<FileMapping> FileMapping::Map(int fd, std::size_t size) {
    void* data = mmap(nullptr, size, PROT_READ, MAP_PRIVATE, fd, 0);
    if (data == MAP_FAILED) {
        return nullptr;
    }
    Pages pages(static_cast<const char*>(data), Unmap{size});
    std::unique_ptr<FileMapping> mapping(
        new FileMapping(std::move(pages), fcntl(fd, F_DUPFD_CLOEXEC, 0)));
    if (!mapping->m_guard.Active() || mapping->m_fd < 0) {
        return nullptr;
    }
    return mapping;
}

FileMapping::FileMapping(Pages data, int fd) noexcept
    : m_data(std::move(data)), m_guard(m_data.get(), m_data.get_deleter().size), m_fd(fd) {}

FileMapping::~FileMapping() {
    if (m_fd >= 0) {
        close(m_fd);
    }
}

bool FileMapping::CutShort() const noexcept {
    // A file cut inside its last page reads as zeros there without a fault.
    struct stat status = {};
    const bool shorter =
        fstat(m_fd, &status) == 0 && static_cast<std::size_t>(status.st_size) < Size();
    return shorter || m_guard.Faulted();
}

void FileMapping::Unmap::operator()(const char* data) const noexcept {
    munmap(const_cast<char*>(data), size);
}

void FileMapping::Release(const char* from, const char* to) const noexcept {
    static const auto page = static_cast<std::uintptr_t>(sysconf(_SC_PAGESIZE));
    const std::uintptr_t begin = (reinterpret_cast<std::uintptr_t>(from) + page - 1) & ~(page - 1);
    const std::uintptr_t end = reinterpret_cast<std::uintptr_t>(to) & ~(page - 1);
    if (begin < end) {
        madvise(reinterpret_cast<void*>(begin), end - begin, MADV_DONTNEED);
    }
}
