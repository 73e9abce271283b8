#pragma once
// The most recently opened files, most recent first, as shown in the first
// menu and kept in the profile between runs.

#include "framework/CProfileStore.h"
#include "platform/HostTypes.h"

#include <cstddef>
#include <memory>
#include <string>
#include <vector>

class CCmdUI;

class CRecentFileList {
public:
    /// A list of size (at least 1) empty entries kept under section, with keys
    /// made from entryFormat by putting the entry number (1 for the first) in
    /// place of its "%d". Menu mnemonics count from start + 1;
    /// maxDisplayLength -1 shows paths unabbreviated.
    CRecentFileList(std::unique_ptr<CProfileStore> profile, unsigned start, std::string section,
                    std::string entryFormat, int size, int maxDisplayLength = 30);
    virtual ~CRecentFileList();

    /// Empties the entry and moves the later ones up. index must be in range.
    virtual void RemoveAt(int index);
    /// Puts path first. A copy of it further down (compared by full path) is
    /// removed; otherwise the oldest entry drops out. path is stored as given.
    virtual void AddPath(const std::string& path);
    /// Replaces the placeholder item ui names (and entries shown before) by
    /// "&1 name" ... items, or shows the placeholder grayed when the first
    /// entry is empty. Leaves ui on the last item inserted.
    virtual void FillMenu(CCmdUI* ui);
    /// Loads every entry from the profile, as stored (a missing key: empty).
    virtual void ReadEntries();
    /// Replaces the profile section by the non-empty entries, each under its
    /// own number, so gaps stay gaps. A name the profile refuses stays in the
    /// list but not in the profile, and the entries after it move up a
    /// number. Failures are ignored.
    virtual void WriteEntries();

    /// The menu text of entry index: the file's title when its folder is
    /// currentDir (its first currentDirLength characters, ending in "/"),
    /// else the path abbreviated to m_maxDisplayLength characters. FALSE for
    /// an empty entry.
    host::BOOL DisplayName(int index, const std::string& currentDir, std::size_t currentDirLength,
                           host::BOOL atLeastName, std::string& out) const;

    /// The profile key of entry index.
    std::string KeyFor(int index) const;

    int m_size = 0;
    std::vector<std::string> m_names; ///< most recent first; "" marks a free entry
    std::string m_section;
    std::string m_entryFormat;
    unsigned m_start = 0;
    int m_maxDisplayLength = 30;
    std::string m_placeholderText; ///< remembered at the first menu update

private:
    std::unique_ptr<CProfileStore> m_profile;
};
