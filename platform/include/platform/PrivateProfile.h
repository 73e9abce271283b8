#pragma once
// A private profile file: "[Section]" lines, each followed by "key=value"
// lines. Section and key names compare ignoring ASCII case; values keep their
// case. Lines the program does not know (comments, other sections, junk) are
// kept when it writes.

#include "platform/HostTypes.h"

#include <cstddef>
#include <functional>
#include <memory>
#include <string>

namespace host {

class ProfileText;

class PrivateProfile {
public:
    /// The steps of replacing the file, named so that tests can make one fail.
    enum class WriteStep { CreateFolder, Open, Write, Sync, Rename };

    /// Values longer than this come back cut, as from a 4096-byte buffer.
    static constexpr std::size_t kMaxValueLength = 4095;
    /// Only this much of a file is read; a larger file is never rewritten, so
    /// that what lies beyond is not lost. The first write it refuses says so
    /// on stderr, once for the whole run.
    static constexpr std::size_t kMaxFileSize = 16u << 20;

    /// The file need not exist yet; nothing is touched until a write. Anything
    /// but a regular file in its place (a FIFO, a device, a folder) reads as
    /// no profile and is never replaced; no call waits on it.
    explicit PrivateProfile(std::string path);
    ~PrivateProfile();
    PrivateProfile(const PrivateProfile&) = delete;
    PrivateProfile& operator=(const PrivateProfile&) = delete;

    /// The value of key in section; defaultValue (null reads as "") when the
    /// file, the section or the key is missing or a name is null. A file
    /// with junk reads as whatever valid entries it has.
    std::string ReadString(const char* section, const char* key, const char* defaultValue) const;

    /// The leading decimal integer of the value (clamped to the int range, 0
    /// when it has no digits); defaultValue when the key is missing or empty.
    int ReadInt(const char* section, const char* key, int defaultValue) const;

    /// Sets key in section to value, creating the section and the file (and
    /// its folder) when needed. A null key deletes the whole section, a null
    /// value the key. The file is replaced atomically: on any failure FALSE
    /// is returned and the old file is left as it was. FALSE also for a null
    /// section and for names or values that the format cannot hold (line
    /// breaks, NUL, "=" in a key, "]" in a section name, a value longer than
    /// kMaxValueLength). Temporary files that killed writes left beside it
    /// are removed once they are an hour old.
    BOOL WriteString(const char* section, const char* key, const char* value);

    /// WriteString with the value written as a decimal number.
    BOOL WriteInt(const char* section, const char* key, int value);

    /// Reads and parses the file once for the reads and writes that follow,
    /// and gathers the writes in memory instead of replacing the file for
    /// each, so that a set of changes lands whole or not at all: a crash
    /// between two of them must not leave half a list. Reads see the
    /// gathered changes. FALSE when the file exists but cannot be read (the
    /// writes that follow then fail too), or is too large to be rewritten
    /// (the commit then fails if anything changed).
    BOOL BeginBatch();
    /// Replaces the file once with everything gathered since BeginBatch (not
    /// at all when the text comes out as it was read, as when a list is
    /// deleted and written again unchanged) and ends the batch. FALSE when that
    /// failed; the old file is then left as it was.
    BOOL CommitBatch();

    /// Makes the given step fail as if the system had refused it, whenever
    /// failAt returns true for it. For tests; an empty function clears it.
    void SetFaultInjection(std::function<bool(WriteStep)> failAt);

    const std::string& Path() const { return m_path; }

private:
    bool Fails(WriteStep step) const;
    bool Load(std::string& content) const;
    BOOL ReplaceFile(const std::string& content) const;
    BOOL WriteTemporary(int fd, const std::string& content) const;

    std::string m_path;
    std::function<bool(WriteStep)> m_failAt;
    std::unique_ptr<ProfileText> m_batch; ///< the file's text with the gathered changes
    std::string m_batchRead;              ///< the file's text as BeginBatch read it
    bool m_batchBroken = false;   ///< the file could not be read: writes must not replace it
    bool m_batchTooLarge = false; ///< too large to be replaced, which a commit reports
};

} // namespace host
