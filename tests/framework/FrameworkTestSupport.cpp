#include "FrameworkTestSupport.h"

#include "framework/CArchive.h"
#include "framework/CCmdUI.h"
#include "framework/FrameworkIds.h"
#include "framework/ResourceRegistry.h"
#include "platform/HostMenu.h"
#include "platform/HostQueue.h"

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <linux/capability.h>
#include <sstream>
#include <sys/syscall.h>
#include <unistd.h>

using host::BOOL;
using host::FALSE;
using host::TRUE;
using host::UINT;

namespace fwtest {

std::vector<std::string>& Log() {
    static std::vector<std::string> log;
    return log;
}

KOVO_IMPLEMENT_CREATABLE(TestDoc, CDocument)

KOVO_BEGIN_MESSAGE_MAP(TestDoc, CDocument)
KOVO_ON_COMMAND(ID_VIEW_AND_DOC, &TestDoc::OnViewAndDoc)
KOVO_ON_COMMAND(ID_DOC_AND_APP, &TestDoc::OnDocAndApp)
KOVO_ON_COMMAND(ID_DATA_OBJECTS, &TestDoc::OnDataObjects)
KOVO_ON_COMMAND(ID_PASS_ON, &TestDoc::OnPassOn)
KOVO_ON_UPDATE(ID_PASS_ON, &TestDoc::OnUpdatePassOn)
KOVO_END_MESSAGE_MAP()

TestDoc* TestDoc::s_live = nullptr;

BOOL TestDoc::OnNewDocument() {
    ++m_newCalls;
    return CDocument::OnNewDocument();
}

BOOL TestDoc::OnOpenDocument(const std::string& path) {
    ++m_openCalls;
    m_waitCursorSeen = host::IsWaitCursorShown() != FALSE;
    return CDocument::OnOpenDocument(path);
}

void TestDoc::Serialize(CArchive& ar) {
    ++m_serializeCalls;
    if (m_readPastEnd) {
        char buffer[64];
        ar.ReadExactly(buffer, sizeof buffer);
    }
}

void TestDoc::OnUpdatePassOn(CCmdUI* ui) {
    Log().push_back("doc:update40004");
    ui->SetEnabled(FALSE);
}

KOVO_IMPLEMENT_CREATABLE(TestView, CView)

KOVO_BEGIN_MESSAGE_MAP(TestView, CView)
KOVO_ON_CREATE(&TestView::OnCreate)
KOVO_ON_MESSAGE(fw::IdleUpdateUi, &TestView::OnIdleUpdateUi)
KOVO_ON_COMMAND(ID_VIEW_AND_DOC, &TestView::OnViewAndDoc)
KOVO_ON_UPDATE(ID_PASS_ON, &TestView::OnUpdatePassOn)
KOVO_END_MESSAGE_MAP()

bool TestView::s_refuseCreation = false;

int TestView::OnCreate(host::CREATESTRUCT* cs) {
    if (CView::OnCreate(cs) == -1 || s_refuseCreation) {
        return -1;
    }
    return 0;
}

void TestView::OnInitialUpdate() {
    ++m_initialUpdates;
    CView::OnInitialUpdate();
}

void TestView::OnUpdatePassOn(CCmdUI* ui) {
    Log().push_back("view:update40004");
    ui->m_continueRouting = TRUE;
}

KOVO_IMPLEMENT_CREATABLE(TestFrame, CFrameWnd)

KOVO_BEGIN_MESSAGE_MAP(TestApp, CWinApp)
KOVO_ON_COMMAND(fw::ID_FILE_NEW, &CWinApp::OnFileNew)
KOVO_ON_COMMAND(fw::ID_FILE_OPEN, &CWinApp::OnFileOpen)
KOVO_ON_COMMAND(ID_DOC_AND_APP, &TestApp::OnDocAndApp)
KOVO_ON_COMMAND(ID_APP_ONLY, &TestApp::OnAppOnly)
KOVO_ON_UPDATE(ID_DELETES_ITSELF, &TestApp::OnUpdateDeletesItself)
KOVO_ON_UPDATE(ID_INSERTS_TWO, &TestApp::OnUpdateInsertsTwo)
KOVO_END_MESSAGE_MAP()

void TestApp::OnUpdateDeletesItself(CCmdUI* ui) {
    Log().push_back("app:update40010");
    host::DeleteMenu(ui->m_menu, ui->m_index, host::MF_BYPOSITION);
}

// Replaces its item by two, as the recent-file list does.
void TestApp::OnUpdateInsertsTwo(CCmdUI* ui) {
    Log().push_back("app:update40012");
    host::DeleteMenu(ui->m_menu, ui->m_index, host::MF_BYPOSITION);
    host::InsertMenu(ui->m_menu, ui->m_index, host::MF_BYPOSITION, ID_INSERTS_TWO, "one");
    host::InsertMenu(ui->m_menu, ui->m_index + 1, host::MF_BYPOSITION, ID_INSERTS_TWO + 1, "two");
    ui->m_index += 1;
    ui->m_indexMax = static_cast<UINT>(host::GetMenuItemCount(ui->m_menu));
    ui->m_enableChanged = TRUE;
}

void RegisterTestResources() {
    using host::FALT;
    using host::FCONTROL;
    using host::FSHIFT;
    using host::FVIRTKEY;
    ResourceRegistry::RegisterString(128, "Kovomodel\n\nKovomo\n\n\nKovomodel.Document\nKovomo "
                                          "Document");
    ResourceRegistry::RegisterString(fw::IDS_APP_TITLE, "Kovomodel");
    ResourceRegistry::RegisterMenu(128,
                                   {{"&Dáta...",
                                     0,
                                     host::MF_POPUP,
                                     {{"&Načítať...\tCtrl+O", fw::ID_FILE_OPEN, 0, {}},
                                      {"", 0, host::MF_SEPARATOR, {}},
                                      {"Recent File", fw::ID_FILE_MRU_FILE1, host::MF_GRAYED, {}},
                                      {"aj objekty v strede?", ID_DATA_OBJECTS, 0, {}},
                                      {"", 0, host::MF_SEPARATOR, {}},
                                      {"&Koniec", fw::ID_APP_EXIT, 0, {}}}},
                                    {"Info", fw::ID_APP_ABOUT, 0, {}}});
    auto key = [](host::BYTE mods, host::WORD k, UINT cmd) {
        return host::ACCEL{static_cast<host::BYTE>(FVIRTKEY | mods), k,
                           static_cast<host::WORD>(cmd)};
    };
    ResourceRegistry::RegisterAccelerators(
        128, {key(FCONTROL, 'N', 57600), key(FCONTROL, 'O', 57601), key(FCONTROL, 'S', 57603),
              key(FCONTROL, 'Z', 57643), key(FCONTROL, 'X', 57635), key(FCONTROL, 'C', 57634),
              key(FCONTROL, 'V', 57637), key(FALT, host::VK_BACK, 57643),
              key(FSHIFT, host::VK_DELETE, 57635), key(FCONTROL, host::VK_INSERT, 57634),
              key(FSHIFT, host::VK_INSERT, 57637), key(0, host::VK_F6, 57680),
              key(FSHIFT, host::VK_F6, 57681)});
}

DialogRecorder::DialogRecorder() {
    host::DialogHooks hooks;
    hooks.messageBox = [this](host::HWND owner, const std::string& text, const std::string& caption,
                              UINT type) {
        boxes.push_back({owner, text, caption, type});
        return host::IDOK;
    };
    hooks.dialogBox = [this](host::HWND owner, const host::DialogTemplate&) {
        dialogOwners.push_back(owner);
        return host::IDOK;
    };
    hooks.openFileName = [this](host::OPENFILENAME& ofn) {
        openDialogs.push_back(ofn);
        if (fileToChoose.empty()) {
            return FALSE;
        }
        ofn.file = fileToChoose;
        return TRUE;
    };
    host::SetDialogHooks(hooks);
}

DialogRecorder::~DialogRecorder() {
    host::SetDialogHooks(host::DialogHooks());
}

CurrentDirectory::CurrentDirectory(const std::string& folder)
    : m_previous(std::filesystem::current_path()) {
    std::filesystem::current_path(folder);
}

CurrentDirectory::~CurrentDirectory() {
    std::error_code ignored;
    std::filesystem::current_path(m_previous, ignored);
}

namespace {

// The capability sets of this thread; false when the kernel refuses.
bool Capabilities(bool set, __user_cap_data_struct (&data)[2]) {
    __user_cap_header_struct header{_LINUX_CAPABILITY_VERSION_3, 0};
    return ::syscall(set ? SYS_capset : SYS_capget, &header, data) == 0;
}

constexpr std::uint32_t kFileOverrides = (1u << CAP_DAC_OVERRIDE) | (1u << CAP_DAC_READ_SEARCH);

} // namespace

FileModesBindRoot::FileModesBindRoot() {
    __user_cap_data_struct data[2] = {};
    if (!Capabilities(false, data)) {
        return;
    }
    m_effective = data[0].effective;
    data[0].effective &= ~kFileOverrides;
    m_lowered = Capabilities(true, data);
}

FileModesBindRoot::~FileModesBindRoot() {
    __user_cap_data_struct data[2] = {};
    if (m_lowered && Capabilities(false, data)) {
        data[0].effective = m_effective;
        Capabilities(true, data);
    }
}

ScopedVariable::ScopedVariable(const char* name, const char* value) : m_name(name) {
    if (const char* old = std::getenv(name)) {
        m_old = old;
    }
    if (value == nullptr) {
        unsetenv(name);
        return;
    }
    setenv(name, value, 1);
}

ScopedVariable::~ScopedVariable() {
    if (!m_old) {
        unsetenv(m_name);
        return;
    }
    setenv(m_name, m_old->c_str(), 1);
}

void FrameworkTest::SetUp() {
    Log().clear();
    TestView::s_refuseCreation = false;
    RegisterTestResources();
    char pattern[] = "/tmp/kovo-fw-XXXXXX";
    ASSERT_NE(::mkdtemp(pattern), nullptr);
    dir = std::filesystem::canonical(pattern).string();
    app.m_profileName = "test.INI";
    app.m_profilePath = dir + "/config/test.INI";
    auto owned = std::make_unique<CSingleDocTemplate>(
        128, &TestDoc::classRecord, &TestFrame::classRecord, &TestView::classRecord);
    docTemplate = owned.get();
    app.AddDocTemplate(std::move(owned));
}

void FrameworkTest::TearDown() {
    if (app.m_pMainWnd != nullptr) {
        app.m_pMainWnd->DestroyWindow();
    }
    // Leave the process-wide queue empty for the next test.
    host::MSG msg;
    for (int i = 0; i < 1000 && host::PeekMessage(&msg, host::PM_REMOVE); ++i) {
        if (msg.message == host::WM_PAINT) {
            host::ValidateRect(msg.hwnd, nullptr);
        }
    }
    host::SetKeyState(0);
    std::filesystem::permissions(dir, std::filesystem::perms::owner_all);
    std::filesystem::remove_all(dir);
}

std::string FrameworkTest::WriteFile(const std::string& name, const std::string& content) {
    const std::string path = dir + "/" + name;
    std::filesystem::create_directories(std::filesystem::path(path).parent_path());
    std::ofstream(path, std::ios::binary) << content;
    return path;
}

std::string FrameworkTest::ReadFile(const std::string& path) {
    std::ostringstream text;
    text << std::ifstream(path, std::ios::binary).rdbuf();
    return text.str();
}

void FrameworkTest::PressKey(UINT virtualKey, UINT modifiers) {
    host::SetKeyState(modifiers);
    const UINT message = (modifiers & host::MK_ALT) != 0 ? host::WM_SYSKEYDOWN : host::WM_KEYDOWN;
    host::PostMessage(View()->m_hWnd, message, virtualKey, 0);
    app.PumpOneMessage();
    host::SetKeyState(0);
}

} // namespace fwtest
