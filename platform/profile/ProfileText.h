#pragma once
// The text of a profile file as lines: "[Section]" headers, "key=value"
// entries and anything else, which is kept as it is. Edits touch only the
// lines they concern, so the rest of the text survives byte for byte.

#include <optional>
#include <string>
#include <vector>

namespace host {

class ProfileText {
public:
    /// Splits content at "\n", remembering each line's ending ("\r\n" kept).
    /// Any bytes are accepted; lines that are neither headers nor entries
    /// are kept and ignored.
    explicit ProfileText(const std::string& content);

    /// The value of the first entry named key in the first section named
    /// section (names ignoring ASCII case), trimmed of blanks and of one pair
    /// of enclosing quotes. Empty when there is none.
    std::optional<std::string> Find(const std::string& section, const std::string& key) const;

    /// Removes every section of that name with all its lines. Returns whether
    /// anything changed.
    bool DeleteSection(const std::string& section);
    /// Removes the key's entries from the first section of that name.
    bool DeleteKey(const std::string& section, const std::string& key);
    /// Replaces the value of the key's first entry (its key kept as written),
    /// or adds an entry after the section's last line, or adds the section at
    /// the end. Values that reading would trim or unquote are written in
    /// quotes. Returns whether anything changed.
    bool Set(const std::string& section, const std::string& key, const std::string& value);

    /// The text with the edits applied.
    std::string Content() const;

private:
    struct Line {
        std::string text;
        std::string eol; ///< "\n", "\r\n" or "" for a last line without one
    };

    std::size_t FindSection(const std::string& section) const;
    std::size_t SectionEnd(std::size_t header) const;
    void InsertLine(std::size_t at, std::string text);

    std::vector<Line> m_lines;
};

} // namespace host
