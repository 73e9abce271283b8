#include "framework/CRecentFileList.h"

#include "framework/CCmdUI.h"
#include "framework/FilePath.h"
#include "framework/FrameworkIds.h"
#include "framework/FrameworkText.h"
#include "platform/HostMenu.h"

#include <cassert>
#include <filesystem>
#include <utility>

using host::BOOL;
using host::FALSE;
using host::TRUE;
using host::UINT;

namespace {

/// The current directory with one "/" appended; "" when it is unknown.
std::string CurrentDirectoryPrefix() {
    std::error_code error;
    const std::filesystem::path cwd = std::filesystem::current_path(error);
    return error ? std::string() : cwd.string() + "/";
}

/// Doubles every "&" so that the menu shows it instead of a mnemonic. UTF-8
/// sequences never contain the byte, so characters stay whole.
std::string EscapeAmpersands(const std::string& text) {
    std::string out;
    for (char c : text) {
        out += c;
        if (c == '&') {
            out += '&';
        }
    }
    return out;
}

} // namespace

CRecentFileList::CRecentFileList(std::unique_ptr<CProfileStore> profile, unsigned start,
                                 std::string section, std::string entryFormat, int size,
                                 int maxDisplayLength)
    : m_size(size), m_names(static_cast<std::size_t>(size)), m_section(std::move(section)),
      m_entryFormat(std::move(entryFormat)), m_start(start), m_maxDisplayLength(maxDisplayLength),
      m_profile(std::move(profile)) {
    assert(size > 0);
    assert(m_profile != nullptr);
}

CRecentFileList::~CRecentFileList() = default;

void CRecentFileList::RemoveAt(int index) {
    assert(index >= 0 && index < m_size);
    m_names.erase(m_names.begin() + index);
    m_names.emplace_back();
}

void CRecentFileList::AddPath(const std::string& path) {
    std::string full;
    FullPath(full, path);
    // The last entry is not searched: dropping it out is the same as moving it.
    int found = m_size - 1;
    for (int i = 0; i < m_size - 1; ++i) {
        if (SamePath(m_names[i], full)) {
            found = i;
            break;
        }
    }
    for (int i = found; i > 0; --i) {
        m_names[i] = std::move(m_names[i - 1]);
    }
    m_names[0] = path;
}

std::string CRecentFileList::KeyFor(int index) const {
    std::string key = m_entryFormat;
    const std::size_t mark = key.find("%d");
    assert(mark != std::string::npos);
    return key.replace(mark, 2, std::to_string(index + 1));
}

void CRecentFileList::ReadEntries() {
    for (int i = 0; i < m_size; ++i) {
        m_names[i] = m_profile->ReadString(m_section.c_str(), KeyFor(i).c_str(), "");
    }
}

void CRecentFileList::WriteEntries() {
    m_profile->WriteString(m_section.c_str(), nullptr, nullptr);
    // A name the profile refuses (one with a line break) leaves no gap: the
    // reader would stop there and lose every entry after it.
    int key = 0;
    for (int i = 0; i < m_size; ++i) {
        if (m_names[i].empty() ||
            m_profile->WriteString(m_section.c_str(), KeyFor(key).c_str(), m_names[i].c_str())) {
            ++key;
        }
    }
}

BOOL CRecentFileList::DisplayName(int index, const std::string& currentDir,
                                  std::size_t currentDirLength, BOOL atLeastName,
                                  std::string& out) const {
    assert(index >= 0 && index < m_size);
    const std::string& name = m_names[index];
    if (name.empty()) {
        return FALSE;
    }
    const std::size_t slash = name.rfind('/');
    const std::size_t nameStart = slash == std::string::npos ? 0 : slash + 1;
    if (nameStart == currentDirLength &&
        name.compare(0, nameStart, currentDir, 0, currentDirLength) == 0) {
        out = FileTitle(name.substr(nameStart));
        return TRUE;
    }
    out = name;
    if (m_maxDisplayLength != -1) {
        out = name.substr(0, nameStart) + FileTitle(name.substr(nameStart));
        AbbreviatePath(out, m_maxDisplayLength, atLeastName);
    }
    return TRUE;
}

void CRecentFileList::FillMenu(CCmdUI* ui) {
    assert(ui != nullptr);
    if (m_placeholderText.empty() && ui->m_menu != nullptr) {
        m_placeholderText =
            host::GetMenuString(ui->m_menu, fw::ID_FILE_MRU_FILE1, host::MF_BYCOMMAND);
    }
    if (m_names[0].empty()) {
        if (!m_placeholderText.empty()) {
            ui->SetItemText(m_placeholderText);
        }
        ui->SetEnabled(FALSE);
        return;
    }
    if (ui->m_menu == nullptr) {
        return;
    }
    for (int i = 0; i < m_size; ++i) {
        host::DeleteMenu(ui->m_menu, fw::ID_FILE_MRU_FILE1 + i, host::MF_BYCOMMAND);
    }
    const std::string currentDir = CurrentDirectoryPrefix();
    for (int i = 0; i < m_size; ++i) {
        std::string name;
        if (!DisplayName(i, currentDir, currentDir.size(), TRUE, name)) {
            break;
        }
        // A tab would cut the label and show the rest as a shortcut.
        const std::string text = "&" + std::to_string((i + 1 + m_start) % 10) + " " +
                                 EscapeAmpersands(VisibleText(name));
        host::InsertMenu(ui->m_menu, ui->m_index, host::MF_BYPOSITION | host::MF_STRING,
                         fw::ID_FILE_MRU_FILE1 + i, text);
        ++ui->m_index;
    }
    --ui->m_index;
    ui->m_indexMax = static_cast<UINT>(host::GetMenuItemCount(ui->m_menu));
    ui->m_enableChanged = TRUE;
}
