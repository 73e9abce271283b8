#pragma once
// A tiny document/view application for the framework's tests: a document, a
// view, a frame and an application with tables that overlap in known ways,
// the resources they are built from, and a recorder that answers message
// boxes and the open dialog without a display.

#include "framework/CDocument.h"
#include "framework/CFrameWnd.h"
#include "framework/CSingleDocTemplate.h"
#include "framework/CView.h"
#include "framework/CWinApp.h"
#include "platform/HostDialogs.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace fwtest {

// Commands whose receivers overlap.
constexpr host::UINT ID_VIEW_AND_DOC = 40001;   ///< view and document handle it
constexpr host::UINT ID_DOC_AND_APP = 40002;    ///< document and application
constexpr host::UINT ID_APP_ONLY = 40003;       ///< application only
constexpr host::UINT ID_PASS_ON = 40004;        ///< view's update passes on; document decides
constexpr host::UINT ID_DELETES_ITSELF = 40010; ///< its update handler deletes its item
constexpr host::UINT ID_INSERTS_TWO = 40012;    ///< its update handler inserts two items
constexpr host::UINT ID_UNHANDLED = 40011;      ///< no receiver
constexpr host::UINT ID_DATA_OBJECTS = 32771;   ///< document

/// What the handlers did, in order ("view:40001", "doc:open", ...).
std::vector<std::string>& Log();

class TestDoc : public CDocument {
public:
    KOVO_DECLARE_CREATABLE(TestDoc)
    TestDoc();
    ~TestDoc() override;

    host::BOOL OnNewDocument() override;
    host::BOOL OnOpenDocument(const std::string& path) override;
    void Serialize(CArchive& ar) override;

    static TestDoc* s_live; ///< the document alive now, or null
    int m_newCalls = 0;
    int m_openCalls = 0;
    int m_serializeCalls = 0;
    bool m_waitCursorSeen = false;
    bool m_readPastEnd = false; ///< Serialize then asks for more than the file has

    KOVO_DECLARE_MESSAGE_MAP()

protected:
    void OnViewAndDoc();
    void OnDocAndApp();
    void OnDataObjects();
    void OnPassOn();
    void OnUpdatePassOn(CCmdUI* ui);
};

class TestView : public CView {
public:
    KOVO_DECLARE_CREATABLE(TestView)

    void OnInitialUpdate() override;

    static bool s_refuseCreation;
    int m_initialUpdates = 0;
    int m_idleUpdates = 0;
    int m_paints = 0;
    host::UINT m_sizeType = 99;
    int m_x = 0, m_y = 0;
    host::UINT m_flags = 0;

    KOVO_DECLARE_MESSAGE_MAP()

protected:
    int OnCreate(host::CREATESTRUCT* cs);
    void OnPaint();
    void OnSize(host::UINT type, int cx, int cy);
    void OnLButtonDown(host::UINT flags, int x, int y);
    host::LRESULT OnIdleUpdateUi(host::WPARAM, host::LPARAM);
    void OnViewAndDoc();
    void OnUpdatePassOn(CCmdUI* ui);
};

class TestFrame : public CFrameWnd {
public:
    KOVO_DECLARE_CREATABLE(TestFrame)
};

class TestApp : public CWinApp {
public:
    int m_exitCalls = 0;

    KOVO_DECLARE_MESSAGE_MAP()

protected:
    void OnDocAndApp();
    void OnAppOnly();
    void OnUpdateDeletesItself(CCmdUI* ui);
    void OnUpdateInsertsTwo(CCmdUI* ui);
};

/// Registers menu, accelerators and document string 128 and the title 57344.
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
    std::string fileToChoose; ///< empty: the open dialog is cancelled
};

/// A fresh application with the test template registered, a temporary
/// directory, and the host queue and windows cleaned up afterwards.
class FrameworkTest : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    /// Writes content to name in the temporary directory; returns the path.
    std::string WriteFile(const std::string& name, const std::string& content);
    /// Starts with a new document, as the program does without arguments.
    CDocument* StartNew();
    /// Pumps every queued message.
    void PumpAll();
    /// Posts a key to the view and pumps it, with the given modifiers.
    void PressKey(host::UINT virtualKey, host::UINT modifiers);
    CFrameWnd* MainFrame() const;
    TestView* View() const;

    TestApp app;
    DialogRecorder dialogs;
    CSingleDocTemplate* docTemplate = nullptr;
    std::string dir;
};

} // namespace fwtest
