#include "framework/CFrameWnd.h"

#include "framework/CCmdUI.h"
#include "framework/CCreationContext.h"
#include "framework/CDocument.h"
#include "framework/CView.h"
#include "framework/CWinApp.h"
#include "framework/FrameworkIds.h"
#include "framework/FrameworkText.h"
#include "framework/ResourceRegistry.h"
#include "platform/HostMenu.h"
#include "platform/HostQueue.h"

using host::BOOL;
using host::FALSE;
using host::LPARAM;
using host::LRESULT;
using host::TRUE;
using host::UINT;
using host::WPARAM;

KOVO_IMPLEMENT_CREATABLE(CFrameWnd, CWnd)

KOVO_BEGIN_MESSAGE_MAP(CFrameWnd, CWnd)
KOVO_ON_MESSAGE(host::WM_INITMENUPOPUP, &CFrameWnd::OnInitMenuPopup)
KOVO_ON_MESSAGE(fw::IdleUpdateUi, &CFrameWnd::OnIdleUpdateUi)
KOVO_ON_PLAIN(host::WM_CLOSE, &CFrameWnd::OnClose)
KOVO_ON_CREATE(&CFrameWnd::OnCreate)
KOVO_ON_SIZE(&CFrameWnd::OnSize)
KOVO_ON_MESSAGE(host::WM_ACTIVATE, &CFrameWnd::OnActivate)
KOVO_END_MESSAGE_MAP()

CFrameWnd::~CFrameWnd() {
    if (m_accelTable != nullptr) {
        host::DestroyAcceleratorTable(m_accelTable);
    }
}

BOOL CFrameWnd::CreateFromResource(UINT resourceId, UINT style, CCreationContext* context) {
    m_resourceId = resourceId;
    m_frameTitle = DocStringField(ResourceRegistry::LoadString(resourceId), 0);
    m_accelTable = ResourceRegistry::LoadAccelerators(resourceId);
    host::CREATESTRUCT cs;
    cs.style = style;
    cs.name = m_frameTitle;
    cs.hMenu = ResourceRegistry::LoadMenu(resourceId); // the window owns it from here on
    cs.lpCreateParams = context;
    if (!CreateEx(cs)) {
        return FALSE; // the frame is gone
    }
    if (const auto* icon = ResourceRegistry::FindIcon(resourceId)) {
        host::SetWindowIcon(m_hWnd, *icon);
    }
    return TRUE;
}

BOOL CFrameWnd::PreCreateWindow(host::CREATESTRUCT& cs) {
    // The document title reads first in the caption, as current desktops
    // show it.
    cs.style |= fw::FWS_PREFIXTITLE;
    return TRUE;
}

int CFrameWnd::OnCreate(host::CREATESTRUCT* cs) {
    auto* context = static_cast<CCreationContext*>(cs->lpCreateParams);
    if (context == nullptr || context->m_newViewClass == nullptr) {
        return 0;
    }
    return CreateView(context) != nullptr ? 0 : -1;
}

CView* CFrameWnd::CreateView(CCreationContext* context) {
    std::unique_ptr<CObject> object = context->m_newViewClass->CreateObject();
    auto* view = dynamic_cast<CView*>(object.get());
    if (view == nullptr) {
        return nullptr;
    }
    object.release();
    m_view.reset(view);
    host::CREATESTRUCT cs;
    cs.hwndParent = m_hWnd;
    cs.id = fw::kFirstPaneId;
    cs.style = host::WS_CHILD | host::WS_VISIBLE;
    cs.x = cs.y = cs.cx = cs.cy = 0; // laid out by the frame's WM_SIZE
    cs.lpCreateParams = context;
    if (!view->CreateEx(cs)) {
        m_view.reset();
        return nullptr;
    }
    return view;
}

void CFrameWnd::PostNcDestroy() {
    CWinApp* app = CWinApp::Current();
    if (app != nullptr && app->m_pMainWnd == this) {
        app->m_pMainWnd = nullptr;
    }
    delete this;
}

void CFrameWnd::SetActiveView(CView* view) {
    m_activeView = view;
}

CDocument* CFrameWnd::GetActiveDocument() const {
    return m_activeView != nullptr ? m_activeView->GetDocument() : nullptr;
}

BOOL CFrameWnd::RouteCommand(UINT id, int code, void* extra, CommandProbe* probe) {
    if (m_activeView != nullptr && m_activeView->RouteCommand(id, code, extra, probe)) {
        return TRUE;
    }
    if (CWnd::RouteCommand(id, code, extra, probe)) {
        return TRUE;
    }
    CWinApp* app = CWinApp::Current();
    return app != nullptr && app->RouteCommand(id, code, extra, probe);
}

BOOL CFrameWnd::FilterMessage(host::MSG* msg) {
    if (msg->message < host::WM_KEYFIRST || msg->message > host::WM_KEYLAST) {
        return FALSE;
    }
    host::HACCEL table = m_accelTable;
    if (CDocument* document = GetActiveDocument()) {
        if (host::HACCEL own = document->GetDefaultAccelerator()) {
            table = own;
        }
    }
    return table != nullptr && host::TranslateAccelerator(m_hWnd, table, msg);
}

LRESULT CFrameWnd::OnInitMenuPopup(WPARAM wParam, LPARAM lParam) {
    UpdatePopupMenu(reinterpret_cast<host::HMENU>(wParam), host::LOWORD(lParam),
                    host::HIWORD(lParam) != 0);
    return 0;
}

LRESULT CFrameWnd::OnIdleUpdateUi(WPARAM, LPARAM) {
    if (m_pendingMenu) {
        host::DrawMenuBar(m_hWnd);
    }
    if (m_pendingTitle) {
        UpdateTitle(TRUE);
    }
    if (m_pendingLayout) {
        RecalcLayout();
    }
    m_pendingMenu = m_pendingTitle = m_pendingLayout = false;
    return 0;
}

LRESULT CFrameWnd::OnActivate(WPARAM wParam, LPARAM) {
    const LRESULT result = Default();
    if (host::LOWORD(wParam) != 0 && m_activeView != nullptr) {
        host::SetFocus(m_activeView->m_hWnd);
    }
    return result;
}

void CFrameWnd::OnSize(UINT type, int, int) {
    if (type != host::SIZE_MINIMIZED) {
        RecalcLayout();
    }
}

void CFrameWnd::RecalcLayout() {
    host::HWND view = host::GetDlgItem(m_hWnd, fw::kFirstPaneId);
    host::RECT client;
    if (view == nullptr || !host::GetClientRect(m_hWnd, &client)) {
        return;
    }
    host::MoveWindow(view, 0, 0, client.right, client.bottom, TRUE);
}
