#pragma once
// The profile's file as the file system holds it: read without ever waiting,
// and the leftovers of writes that were killed.

#include <cstddef>
#include <string>

namespace host {

/// Reads at most limit + 1 bytes of path into content, so that a caller can
/// tell an oversized file. A missing file reads as empty; false when it
/// exists but cannot be read or is no regular file. The open never waits: a
/// FIFO in the profile's place would otherwise hold the program until some
/// writer came.
bool LoadProfileFile(const std::string& path, std::size_t limit, std::string& content);

/// Removes from folder the temporary files ("NAME.XXXXXX", NAME the file name
/// of target) of writes that were killed before their rename. Only those
/// older than an hour go: a younger one may belong to a second copy of the
/// program writing right now.
void RemoveStaleTemporaries(const std::string& folder, const std::string& target);

} // namespace host
