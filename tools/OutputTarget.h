#pragma once
// What a tool's output path names, and whether a tool may write there.

#include <string>
#include <sys/types.h>

/// The file that an output path leads to once its symbolic links are followed,
/// and how it may be written.
struct OutputTarget {
    enum class Kind {
        Missing, ///< nothing there yet: a new regular file is made
        Regular, ///< a regular file, which the tool may write
        Stream,  ///< a FIFO or a character device: written to, never replaced
    };

    /// Looks output up. Throws OutputFileError, whose text starts with output,
    /// when it is the file that input names (the same device and inode, however
    /// either is spelt and through any links; an empty input names none), a
    /// folder, any other kind of file (a socket, a block device), a regular
    /// file that the user may not write, or cannot be looked up (a loop of
    /// links, a folder on the way that cannot be searched).
    static OutputTarget Find(const std::string& output, const std::string& input);

    Kind kind = Kind::Missing;
    std::string path; ///< where the links lead (which need not exist); output itself for a stream
    mode_t mode = 0;  ///< a regular file's permission bits
    uid_t owner = 0;  ///< a regular file's owner
    gid_t group = 0;  ///< and group
};
