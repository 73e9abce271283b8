#pragma once
// What tells a file apart from another, or from itself after a change,
// without reading it: the device and inode that name it, its size, and the
// times its data and its status last changed, to the nanosecond. The status
// time catches a rewrite whose modification time was set back, as copying
// tools do, which the others miss at the same size.

#include <cstdint>
#include <string>

struct FileIdentity {
    std::uint64_t device = 0;
    std::uint64_t inode = 0;
    std::int64_t size = 0;
    std::int64_t modifiedSeconds = 0;
    std::int64_t modifiedNanoseconds = 0;
    std::int64_t changedSeconds = 0;
    std::int64_t changedNanoseconds = 0;
    bool regular = false; ///< false for a file that is missing or not a regular file

    /// The identity of the file at path, following symbolic links. Never
    /// fails: a path that cannot be examined gives an identity that is not
    /// regular.
    static FileIdentity Of(const std::string& path) noexcept;

    /// Equal when both name the same regular file, unchanged.
    bool operator==(const FileIdentity& other) const noexcept;
    bool operator!=(const FileIdentity& other) const noexcept { return !(*this == other); }
};
