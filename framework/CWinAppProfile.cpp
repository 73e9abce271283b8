// The application's recent-file list and its profile file.

#include "framework/CCmdUI.h"
#include "framework/CRecentFileList.h"
#include "framework/CWinApp.h"
#include "framework/FilePath.h"
#include "framework/FrameworkIds.h"
#include "platform/PrivateProfile.h"

#include <cassert>

using host::BOOL;
using host::FALSE;
using host::TRUE;
using host::UINT;

namespace {

constexpr const char* kRecentSection = "Recent File List";
constexpr const char* kRecentEntryFormat = "File%d";
constexpr const char* kSettingsSection = "Settings";
constexpr const char* kPreviewPagesKey = "PreviewPages";
constexpr int kMaxDisplayLength = 30;

/// Gives the recent-file list the application's profile.
class AppProfileStore : public CProfileStore {
public:
    explicit AppProfileStore(CWinApp& app) : m_app(app) {}

    std::string ReadString(const char* section, const char* key,
                           const char* defaultValue) override {
        return m_app.ProfileReadString(section, key, defaultValue);
    }
    BOOL WriteString(const char* section, const char* key, const char* value) override {
        return m_app.ProfileWriteString(section, key, value);
    }

private:
    CWinApp& m_app; // back-link: the application owns the list that owns this
};

/// The application's profile, read once for the length of a scope, with its
/// writes gathered in memory until Commit. The application's profile calls
/// go to it while it lives, and only then: an exception half-way leaves no
/// pointer to it behind.
class ProfileBatch {
public:
    explicit ProfileBatch(CWinApp& app)
        : m_app(app), m_profile(app.m_profilePath), m_previous(app.m_profileBatch) {
        m_profile.BeginBatch();
        m_app.m_profileBatch = &m_profile;
    }
    ~ProfileBatch() { m_app.m_profileBatch = m_previous; }
    ProfileBatch(const ProfileBatch&) = delete;
    ProfileBatch& operator=(const ProfileBatch&) = delete;

    /// Replaces the file once with what was written, if anything was.
    void Commit() { m_profile.CommitBatch(); }

private:
    CWinApp& m_app; // back-link: the batch lives within one of its calls
    host::PrivateProfile m_profile;
    host::PrivateProfile* m_previous = nullptr; ///< an enclosing batch, if any
};

} // namespace

void CWinApp::LoadStdProfileSettings(unsigned count) {
    // The menu has command ids for at most 16 entries.
    assert(count <= fw::ID_FILE_MRU_LAST - fw::ID_FILE_MRU_FILE1 + 1);
    // Every value comes from one reading of the file, however large.
    ProfileBatch batch(*this);
    if (count != 0) {
        m_recentList = std::make_unique<CRecentFileList>(
            std::make_unique<AppProfileStore>(*this), 0, kRecentSection, kRecentEntryFormat,
            static_cast<int>(count), kMaxDisplayLength);
        m_recentList->ReadEntries();
    }
    m_previewPages = ProfileReadInt(kSettingsSection, kPreviewPagesKey, 0);
}

int CWinApp::ExitInstance() {
    if (m_unregisterRequested || m_profilePath.empty()) {
        return m_exitCode;
    }
    // The list is written as "delete the section, then each entry": gathered
    // into one replacement of the file, a crash or a full disk half-way can
    // never leave the profile without the user's list.
    ProfileBatch batch(*this);
    if (m_recentList) {
        m_recentList->WriteEntries();
    }
    if (m_previewPages != 0) {
        ProfileWriteInt(kSettingsSection, kPreviewPagesKey, m_previewPages);
    }
    batch.Commit();
    return m_exitCode;
}

void CWinApp::AddToRecentList(const std::string& path) {
    if (!m_recentList) {
        return;
    }
    std::string full;
    FullPath(full, path);
    m_recentList->AddPath(full);
}

BOOL CWinApp::OpenRecent(UINT id) {
    const int index = static_cast<int>(id - fw::ID_FILE_MRU_FILE1);
    if (!m_recentList || index < 0 || index >= m_recentList->m_size ||
        m_recentList->m_names[index].empty()) {
        return FALSE;
    }
    // A copy: a successful open reorders the list under the reference.
    const std::string path = m_recentList->m_names[index];
    if (OpenDocumentPath(path) == nullptr) {
        m_recentList->RemoveAt(index);
    }
    return TRUE;
}

void CWinApp::UpdateRecentMenu(CCmdUI* ui) {
    assert(ui != nullptr);
    if (!m_recentList) {
        ui->SetEnabled(FALSE);
        return;
    }
    m_recentList->FillMenu(ui);
}

std::string CWinApp::ProfileReadString(const char* section, const char* key,
                                       const char* defaultValue) {
    if (m_profilePath.empty()) {
        return defaultValue != nullptr ? defaultValue : "";
    }
    if (m_profileBatch != nullptr) {
        return m_profileBatch->ReadString(section, key, defaultValue);
    }
    return host::PrivateProfile(m_profilePath).ReadString(section, key, defaultValue);
}

int CWinApp::ProfileReadInt(const char* section, const char* key, int defaultValue) {
    if (m_profilePath.empty()) {
        return defaultValue;
    }
    if (m_profileBatch != nullptr) {
        return m_profileBatch->ReadInt(section, key, defaultValue);
    }
    return host::PrivateProfile(m_profilePath).ReadInt(section, key, defaultValue);
}

BOOL CWinApp::ProfileWriteString(const char* section, const char* key, const char* value) {
    if (m_profilePath.empty()) {
        return FALSE;
    }
    if (m_profileBatch != nullptr) {
        return m_profileBatch->WriteString(section, key, value);
    }
    return host::PrivateProfile(m_profilePath).WriteString(section, key, value);
}

BOOL CWinApp::ProfileWriteInt(const char* section, const char* key, int value) {
    return ProfileWriteString(section, key, std::to_string(value).c_str());
}
