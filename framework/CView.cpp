#include "framework/CView.h"

#include "framework/CCmdUI.h"
#include "framework/CCreationContext.h"
#include "framework/CDocument.h"
#include "framework/CFrameWnd.h"
#include "framework/FrameworkIds.h"
#include "platform/ScopedValue.h"

using host::BOOL;
using host::FALSE;
using host::LPARAM;
using host::LRESULT;
using host::TRUE;
using host::UINT;
using host::WPARAM;

KOVO_IMPLEMENT_RUNTIME_CLASS(CView, CWnd)

KOVO_BEGIN_MESSAGE_MAP(CView, CWnd)
KOVO_ON_PLAIN(host::WM_PAINT, &CView::OnPaint)
KOVO_ON_MESSAGE(host::WM_MOUSEACTIVATE, &CView::OnMouseActivate)
KOVO_ON_CREATE(&CView::OnCreate)
KOVO_ON_PLAIN(host::WM_DESTROY, &CView::OnDestroy)
KOVO_ON_COMMAND(fw::ID_WINDOW_SPLIT, &CView::OnSplitCommand)
KOVO_ON_UPDATE(fw::ID_WINDOW_SPLIT, &CView::OnUpdatePaneCommand)
KOVO_ON_UPDATE(fw::ID_NEXT_PANE, &CView::OnUpdatePaneCommand)
KOVO_ON_COMMAND_WITH_ID(fw::ID_NEXT_PANE, &CView::OnPaneCommand)
KOVO_ON_UPDATE(fw::ID_PREV_PANE, &CView::OnUpdatePaneCommand)
KOVO_ON_COMMAND_WITH_ID(fw::ID_PREV_PANE, &CView::OnPaneCommand)
KOVO_ON_MESSAGE(fw::InitialUpdate, &CView::OnInitialUpdateMessage)
KOVO_END_MESSAGE_MAP()

namespace {
thread_local CView* t_routingView = nullptr;
}

CView::~CView() {
    if (m_document != nullptr) {
        m_document->RemoveView(this);
    }
}

CView* CView::RoutingView() {
    return t_routingView;
}

BOOL CView::RouteCommand(UINT id, int code, void* extra, CommandProbe* probe) {
    if (CWnd::RouteCommand(id, code, extra, probe)) {
        return TRUE;
    }
    if (m_document == nullptr) {
        return FALSE;
    }
    const host::ScopedValue<CView*> routing(t_routingView, this);
    return m_document->RouteCommand(id, code, extra, probe);
}

void CView::OnDraw(host::HDC) {}

void CView::OnInitialUpdate() {
    host::InvalidateRect(m_hWnd, nullptr, TRUE);
}

int CView::OnCreate(host::CREATESTRUCT* cs) {
    auto* context = static_cast<CCreationContext*>(cs->lpCreateParams);
    if (context != nullptr && context->m_currentDoc != nullptr) {
        context->m_currentDoc->AddView(this);
    }
    return 0;
}

void CView::OnDestroy() {
    CFrameWnd* frame = GetParentFrame();
    if (frame != nullptr && frame->GetActiveView() == this) {
        frame->SetActiveView(nullptr);
    }
}

void CView::OnPaint() {
    host::PAINTSTRUCT paint;
    host::HDC dc = host::BeginPaint(m_hWnd, &paint);
    OnDraw(dc);
    host::EndPaint(m_hWnd, &paint);
}

LRESULT CView::OnMouseActivate(WPARAM, LPARAM) {
    const LRESULT result = Default();
    CFrameWnd* frame = GetParentFrame();
    if (frame != nullptr) {
        frame->SetActiveView(this);
    }
    return result;
}

LRESULT CView::OnInitialUpdateMessage(WPARAM, LPARAM) {
    OnInitialUpdate();
    return 0;
}

void CView::OnUpdatePaneCommand(CCmdUI* ui) {
    ui->SetEnabled(FALSE);
}

BOOL CView::OnPaneCommand(UINT) {
    return FALSE;
}

void CView::OnSplitCommand() {}

void CView::PostNcDestroy() {
    if (m_document != nullptr) {
        m_document->RemoveView(this);
    }
}
