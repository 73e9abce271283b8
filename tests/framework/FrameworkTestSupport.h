#pragma once
// A tiny document/view application whose tables overlap in known ways, and a
// recorder that answers message boxes and the open dialog without a display.

#include "framework/CDocument.h"
#include "framework/CFrameWnd.h"
#include "framework/CSingleDocTemplate.h"
#include "framework/CView.h"
#include "framework/CWinApp.h"
#include "platform/HostDialogs.h"
#include "platform/HostWindow.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace fwtest {

constexpr host::UINT ID_VIEW_AND_DOC = 40001;   // view and document
constexpr host::UINT ID_DOC_AND_APP = 40002;    // document and application
constexpr host::UINT ID_APP_ONLY = 40003;       // application
constexpr host::UINT ID_PASS_ON = 40004;        // view's update passes on, document's grays
constexpr host::UINT ID_DELETES_ITSELF = 40010; // its update deletes its item
constexpr host::UINT ID_UNHANDLED = 40011;      // nobody
constexpr host::UINT ID_INSERTS_TWO = 40012;    // its update replaces its item by two
constexpr host::UINT ID_DATA_OBJECTS = 32771;   // document

/// What the handlers did, in order ("view:40001", "doc:update40004", ...).
std::vector<std::string>& Log();

class TestDoc : public CDocument {
public:
    KOVO_DECLARE_CREATABLE(TestDoc)
    TestDoc() { s_live = this; }
    ~TestDoc() override { s_live = s_live == this ? nullptr : s_live; }
    host::BOOL OnNewDocument() override;
    host::BOOL OnOpenDocument(const std::string& path) override;
    void Serialize(CArchive& ar) override;

    static TestDoc* s_live; // the document alive now, or null
    int m_newCalls = 0;
    int m_openCalls = 0;
    int m_serializeCalls = 0;
    bool m_waitCursorSeen = false;
    bool m_readPastEnd = false; // Serialize asks for more than the file has

    KOVO_DECLARE_MESSAGE_MAP()
protected:
    void OnViewAndDoc() { Log().push_back("doc:40001"); }
    void OnDocAndApp() { Log().push_back("doc:40002"); }
    void OnDataObjects() { Log().push_back("doc:32771"); }
    void OnPassOn() { Log().push_back("doc:40004"); }
    void OnUpdatePassOn(CCmdUI* ui);
};

class TestView : public CView {
public:
    KOVO_DECLARE_CREATABLE(TestView)
    void OnInitialUpdate() override;

    static bool s_refuseCreation;
    int m_initialUpdates = 0;
    int m_idleUpdates = 0;

    KOVO_DECLARE_MESSAGE_MAP()
protected:
    int OnCreate(host::CREATESTRUCT* cs);
    host::LRESULT OnIdleUpdateUi(host::WPARAM, host::LPARAM) {
        ++m_idleUpdates;
        return 0;
    }
    void OnViewAndDoc() { Log().push_back("view:40001"); }
    void OnUpdatePassOn(CCmdUI* ui);
};

class TestFrame : public CFrameWnd {
public:
    KOVO_DECLARE_CREATABLE(TestFrame)
};

class TestApp : public CWinApp {
    KOVO_DECLARE_MESSAGE_MAP()
protected:
    void OnDocAndApp() { Log().push_back("app:40002"); }
    void OnAppOnly() { Log().push_back("app:40003"); }
    void OnUpdateDeletesItself(CCmdUI* ui);
    void OnUpdateInsertsTwo(CCmdUI* ui);
};

/// Menu, accelerators and document string 128, and the application title.
void RegisterTestResources();

struct ShownBox {
    host::HWND owner = nullptr;
    std::string text;
    std::string caption;
    host::UINT type = 0;
};

/// Answers the modal calls of the host while it lives.
class DialogRecorder {
public:
    DialogRecorder();
    ~DialogRecorder();
    DialogRecorder(const DialogRecorder&) = delete;
    DialogRecorder& operator=(const DialogRecorder&) = delete;

    std::vector<ShownBox> boxes;
    std::vector<host::OPENFILENAME> openDialogs;
    std::vector<host::HWND> dialogOwners;
    std::string fileToChoose; // empty: the open dialog is cancelled
};

/// Makes folder the current directory while it lives.
class CurrentDirectory {
public:
    explicit CurrentDirectory(const std::string& folder);
    ~CurrentDirectory();
    CurrentDirectory(const CurrentDirectory&) = delete;
    CurrentDirectory& operator=(const CurrentDirectory&) = delete;

private:
    std::string m_previous;
};

/// While it lives, file modes bind this thread even when it runs as root (as
/// CI does): the capabilities to read and search any file are lowered from
/// its effective set, and raised again at the end. Harmless for other users.
class FileModesBindRoot {
public:
    FileModesBindRoot();
    ~FileModesBindRoot();
    FileModesBindRoot(const FileModesBindRoot&) = delete;
    FileModesBindRoot& operator=(const FileModesBindRoot&) = delete;

private:
    bool m_lowered = false;
    std::uint32_t m_effective = 0; ///< the first word of the effective set before
};

/// Sets an environment variable (null: unsets it) for the life of the object.
class ScopedVariable {
public:
    ScopedVariable(const char* name, const char* value);
    ~ScopedVariable();
    ScopedVariable(const ScopedVariable&) = delete;
    ScopedVariable& operator=(const ScopedVariable&) = delete;

private:
    const char* m_name;
    std::optional<std::string> m_old; ///< none: it was unset
};

/// A fresh application with the test template, a profile in a folder that does
/// not exist yet, a scratch directory, and the host queue emptied afterwards.
class FrameworkTest : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    /// Writes content to name in the scratch directory; returns the path.
    std::string WriteFile(const std::string& name, const std::string& content = "x");
    static std::string ReadFile(const std::string& path); // "" when missing
    CDocument* StartNew() {
        app.OnFileNew();
        return TestDoc::s_live;
    }
    /// Posts a key with the given modifiers to the view and pumps it.
    void PressKey(host::UINT virtualKey, host::UINT modifiers);
    CFrameWnd* MainFrame() const { return dynamic_cast<CFrameWnd*>(app.m_pMainWnd); }
    TestView* View() const { return dynamic_cast<TestView*>(MainFrame()->GetActiveView()); }
    std::string Caption() const { return host::GetWindowText(MainFrame()->m_hWnd); }

    TestApp app;
    DialogRecorder dialogs;
    CSingleDocTemplate* docTemplate = nullptr;
    std::string dir;
};

} // namespace fwtest
