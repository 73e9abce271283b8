#include "framework/CWinApp.h"

#include "framework/CCmdUI.h"
#include "framework/CCommandLineInfo.h"
#include "framework/CDocManager.h"
#include "framework/CDocTemplate.h"
#include "framework/CRecentFileList.h"
#include "framework/CWnd.h"
#include "framework/FrameworkIds.h"
#include "framework/ResourceRegistry.h"
#include "platform/HostDialogs.h"
#include "platform/HostQueue.h"
#include "platform/ScopedValue.h"

#include <cassert>

using host::BOOL;
using host::FALSE;
using host::TRUE;
using host::UINT;

KOVO_BEGIN_MESSAGE_MAP(CWinApp, CWinThread)
KOVO_ON_COMMAND(fw::ID_APP_EXIT, &CWinApp::OnAppExit)
KOVO_ON_UPDATE(fw::ID_FILE_MRU_FILE1, &CWinApp::UpdateRecentMenu)
KOVO_ON_COMMAND_WITH_ID_RANGE(fw::ID_FILE_MRU_FILE1, fw::ID_FILE_MRU_LAST, &CWinApp::OpenRecent)
KOVO_END_MESSAGE_MAP()

namespace {
CWinApp* g_currentApp = nullptr;

bool TakesDefaultIcon(UINT type) {
    const UINT buttons = type & host::MB_TYPEMASK;
    return (type & host::MB_ICONMASK) == 0 &&
           (buttons == host::MB_OK || buttons == host::MB_OKCANCEL || buttons == host::MB_YESNO ||
            buttons == host::MB_YESNOCANCEL);
}
} // namespace

CWinApp::CWinApp(const char* appName) {
    if (appName != nullptr) {
        m_appTitle = appName;
    }
    g_currentApp = this;
}

CWinApp::~CWinApp() {
    if (g_currentApp == this) {
        g_currentApp = nullptr;
    }
}

CWinApp* CWinApp::Current() {
    return g_currentApp;
}

BOOL CWinApp::InitInstance() {
    return TRUE;
}

std::string CWinApp::AppTitle() const {
    if (!m_appTitle.empty()) {
        return m_appTitle;
    }
    std::string title = ResourceRegistry::LoadString(fw::IDS_APP_TITLE);
    if (!title.empty()) {
        return title;
    }
    const std::size_t slash = m_exeName.rfind('/');
    return slash == std::string::npos ? m_exeName : m_exeName.substr(slash + 1);
}

int CWinApp::ShowMessage(const std::string& text, UINT type, UINT helpId) {
    if (TakesDefaultIcon(type)) {
        type |= host::MB_ICONEXCLAMATION;
    }
    host::HWND owner = m_pMainWnd != nullptr ? m_pMainWnd->m_hWnd : nullptr;
    const host::ScopedValue<UINT> help(m_helpContext, helpId);
    return host::MessageBox(owner, text, AppTitle(), type);
}

int CWinApp::ShowMessage(UINT stringId, UINT type) {
    return ShowMessage(ResourceRegistry::LoadString(stringId), type, stringId);
}

void CWinApp::AddDocTemplate(std::unique_ptr<CDocTemplate> docTemplate) {
    if (!m_docManager) {
        m_docManager = std::make_unique<CDocManager>();
    }
    m_docManager->AddDocTemplate(std::move(docTemplate));
}

void CWinApp::OnFileNew() {
    if (m_docManager) {
        m_docManager->NewDocument();
        return;
    }
    ShowMessage(fw::IDS_FAILED_TO_CREATE_DOC);
}

void CWinApp::OnFileOpen() {
    if (m_docManager) {
        m_docManager->PromptAndOpen();
    }
}

CDocument* CWinApp::OpenDocumentPath(const std::string& path) {
    if (!m_docManager) {
        ShowMessage(fw::IDS_FAILED_TO_OPEN_DOC);
        return nullptr;
    }
    return m_docManager->OpenPath(path);
}

void CWinApp::CloseAllDocuments() {
    if (m_docManager) {
        m_docManager->CloseAllDocuments();
    }
}

void CWinApp::HideApplication() {
    if (m_pMainWnd != nullptr && m_pMainWnd->m_hWnd != nullptr) {
        host::ShowWindow(m_pMainWnd->m_hWnd, host::SW_HIDE);
    }
}

BOOL CWinApp::IdleStep(long count) {
    // The documents of this framework have no idle work of their own.
    return CWinThread::IdleStep(count);
}

void CWinApp::OnAppExit() {
    if (m_pMainWnd != nullptr && m_pMainWnd->m_hWnd != nullptr) {
        host::SendMessage(m_pMainWnd->m_hWnd, host::WM_CLOSE, 0, 0);
    }
}
