#pragma once
// The text of a profile file: "[Section]" headers, "key=value" entries and
// anything else, which is kept as it is. Edits touch only the lines they
// concern, so the rest of the text survives byte for byte.
//
// The text is parsed once: only the section headers are indexed, and every
// lookup and edit works within one section, so a profile of millions of
// lines costs a few passes over its bytes, whatever its shape.

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace host {

class ProfileText {
public:
    /// Takes content as lines ended by "\n" ("\r\n" kept as written). Any
    /// bytes are accepted; lines that are neither headers nor entries are
    /// kept and ignored.
    explicit ProfileText(std::string content);

    /// The value of the first entry named key in the first section named
    /// section (names trimmed of blanks, ignoring ASCII case), trimmed of
    /// blanks and of one pair of enclosing quotes. Empty when there is none.
    std::optional<std::string> Find(std::string_view section, std::string_view key) const;

    /// Removes every section of that name with all its lines, in one pass.
    /// Returns whether anything changed.
    bool DeleteSection(std::string_view section);
    /// Removes the key's entries from the first section of that name.
    bool DeleteKey(std::string_view section, std::string_view key);
    /// Replaces the value of the key's first entry (its key kept as written),
    /// or adds an entry after the section's last line that is not blank, or
    /// adds the section at the end. Values that reading would trim or unquote
    /// are written in quotes. Returns whether anything changed.
    bool Set(std::string_view section, std::string_view key, std::string_view value);

    /// The text with the edits applied.
    const std::string& Content() const { return m_content; }

private:
    /// Small, since a hostile file can hold millions of sections; texts are
    /// at most 4 GiB.
    struct Header {
        std::uint32_t begin = 0; ///< where its line starts in m_content
        std::uint32_t nameLength = 0;
    };

    std::size_t IndexHeader(std::size_t begin, std::size_t open);
    Header MakeHeader(std::size_t begin, std::size_t textEnd) const;
    bool IsNamed(const Header& header, std::string_view wanted) const;
    std::size_t FindSection(std::string_view section) const;
    std::size_t BodyBegin(std::size_t index) const;
    std::size_t SectionEnd(std::size_t index) const;
    void Splice(std::size_t begin, std::size_t end, const std::string& text,
                std::size_t firstShifted);
    std::size_t InsertLine(std::size_t at, std::string_view text, std::size_t firstShifted);
    void AppendSection(std::string_view name);
    std::string LineEnding() const;

    /// The section asked for last and the index of its first header, or
    /// npos: the program asks for the same section several times in a row,
    /// and a hostile text can hold millions of headers to go through.
    struct Lookup {
        std::string name;
        std::size_t index = 0;
    };

    std::string m_content;
    std::vector<Header> m_headers;         ///< in the order of the text
    mutable std::optional<Lookup> m_found; ///< forgotten when headers come or go
};

} // namespace host
