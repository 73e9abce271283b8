#pragma once
// The application: start-up and exit, message boxes, the document manager,
// the recent-file list with its profile, and the command line.

#include "framework/CWinThread.h"
#include "platform/HostTypes.h"

#include <memory>
#include <string>
#include <vector>

class CCmdUI;
class CCommandLineInfo;
class CDocManager;
class CDocTemplate;
class CDocument;
class CRecentFileList;
namespace host {
class PrivateProfile;
}

class CWinApp : public CWinThread {
public:
    /// appName null: the title comes from string IDS_APP_TITLE, else the
    /// executable's base name. The object becomes the current application.
    explicit CWinApp(const char* appName = nullptr);
    ~CWinApp() override;
    CWinApp(const CWinApp&) = delete;
    CWinApp& operator=(const CWinApp&) = delete;

    /// The application object constructed last and not yet destroyed, or null.
    static CWinApp* Current();

    /// The program's start-up steps; FALSE ends the program before the loop.
    virtual host::BOOL InitInstance();

    /// Shows a message box captioned with the application title and owned by
    /// the main window. Without an icon in type, OK, OK/Cancel, Yes/No and
    /// Yes/No/Cancel boxes get the exclamation icon. Returns the button.
    int ShowMessage(const std::string& text, host::UINT type = host::MB_OK, host::UINT helpId = 0);
    /// The same with the text of string stringId (help id: the string id).
    int ShowMessage(host::UINT stringId, host::UINT type = host::MB_OK);
    /// The caption of the application's message boxes.
    std::string AppTitle() const;

    // documents
    /// Registers a template; the document manager (made on first use) owns it.
    void AddDocTemplate(std::unique_ptr<CDocTemplate> docTemplate);
    /// Handler of ID_FILE_NEW: a new document.
    void OnFileNew();
    /// Handler of ID_FILE_OPEN: the open-file dialog, then open.
    void OnFileOpen();
    /// Opens path through the templates; the document, or null on failure
    /// (already reported to the user).
    CDocument* OpenDocumentPath(const std::string& path);
    /// Closes every document, destroying their frames.
    void CloseAllDocuments();
    /// Hides the main window, as the first step of shutting down.
    void HideApplication();

    /// The idle step of the application: the thread's, then each document's.
    host::BOOL IdleStep(long count) override;

    // recent files and profile
    /// Creates the recent-file list of count entries (none for 0) and reads it
    /// and the settings from the profile; a missing profile reads as empty.
    void LoadStdProfileSettings(unsigned count);
    /// Writes the recent-file list and the settings unless unregistering was
    /// requested; returns m_exitCode.
    int ExitInstance() override;
    /// Puts the full form of path first in the recent-file list, if any.
    void AddToRecentList(const std::string& path);
    /// Handler of ID_FILE_MRU_FILE1..ID_FILE_MRU_LAST: opens the entry; an
    /// entry that fails to open leaves the list. Always TRUE.
    host::BOOL OpenRecent(host::UINT id);
    /// Update handler of ID_FILE_MRU_FILE1: shows the list in place of the
    /// placeholder, or grays the placeholder when the list is empty.
    void UpdateRecentMenu(CCmdUI* ui);
    /// The profile value, or defaultValue (null: "") when it is missing.
    std::string ProfileReadString(const char* section, const char* key, const char* defaultValue);
    int ProfileReadInt(const char* section, const char* key, int defaultValue);
    /// A null key deletes the section, a null value the key.
    host::BOOL ProfileWriteString(const char* section, const char* key, const char* value);
    host::BOOL ProfileWriteInt(const char* section, const char* key, int value);

    // command line
    /// Fills info from m_arguments.
    void ParseCommandLine(CCommandLineInfo& info);
    /// Carries out the start-up request; FALSE ends the program.
    host::BOOL ProcessShellCommand(CCommandLineInfo& info);

    std::unique_ptr<CDocManager> m_docManager;
    std::unique_ptr<CRecentFileList> m_recentList;
    int m_previewPages = 0;
    std::string m_appTitle;
    std::string m_profileName; ///< "kovomodel.INI" for the program kovomodel
    /// Where it lives: $XDG_CONFIG_HOME/<name>, else $HOME/.config/<name>;
    /// "" without either folder, and then no profile is read or written.
    std::string m_profilePath;
    /// The profile read once for LoadStdProfileSettings or ExitInstance,
    /// where the writes of ExitInstance gather to replace the file once; null
    /// outside those calls. Set and cleared by a scope guard of theirs.
    host::PrivateProfile* m_profileBatch = nullptr;
    int m_showCommand =
        host::SW_SHOWNORMAL;              ///< start-up show command, used once by the first frame
    bool m_userControl = true;            ///< cleared by dde/Embedding/Automation
    bool m_unregisterRequested = false;   ///< then ExitInstance writes nothing
    std::vector<std::string> m_arguments; ///< argv[1..]
    std::string m_exeName;                ///< argv[0], or the system's name for the program
    host::UINT m_helpContext = 0;         ///< help id of the box being shown

    KOVO_DECLARE_MESSAGE_MAP()

protected:
    /// Handler of ID_APP_EXIT: asks the main window to close.
    void OnAppExit();
};

/// The program's entry: stores the arguments, names the profile, runs
/// InitInstance and then the message loop. When InitInstance fails, any main
/// window is destroyed, ExitInstance runs and its result is returned;
/// otherwise the loop's result.
int RunApplication(CWinApp& app, int argc, char** argv);
