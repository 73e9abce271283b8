#include "model/FileMapping.h"

#include <cstdint>
#include <sys/mman.h>
#include <unistd.h>

std::unique_ptr<FileMapping> FileMapping::Map(int fd, std::size_t size) {
    void* data = mmap(nullptr, size, PROT_READ, MAP_PRIVATE, fd, 0);
    if (data == MAP_FAILED) {
        return nullptr;
    }
    Pages pages(static_cast<const char*>(data), Unmap{size});
    std::unique_ptr<FileMapping> mapping(new FileMapping(std::move(pages)));
    if (!mapping->m_guard.Active()) {
        return nullptr;
    }
    return mapping;
}

FileMapping::FileMapping(Pages data) noexcept
    : m_data(std::move(data)), m_guard(m_data.get(), m_data.get_deleter().size) {}

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
