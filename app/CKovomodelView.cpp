#include "app/CKovomodelView.h"

#include "app/CKovomodelDoc.h"
#include "app/PaintScope.h"
#include "platform/HostGl.h"
#include "platform/HostQueue.h"
#include "render/DragSteps.h"

#include <cassert>

using host::BOOL;
using host::UINT;

bool CKovomodelView::s_closeAfterFirstFrame = false;
std::size_t CKovomodelView::s_turnBenchmarkSteps = 0;
unsigned CKovomodelView::s_turnBenchmarkMode = 0;

KOVO_IMPLEMENT_CREATABLE(CKovomodelView, CView)

KOVO_BEGIN_MESSAGE_MAP(CKovomodelView, CView)
KOVO_ON_CREATE(&CKovomodelView::OnCreate)
KOVO_ON_PLAIN(host::WM_DESTROY, &CKovomodelView::OnDestroy)
KOVO_ON_SIZE(&CKovomodelView::OnSize)
KOVO_ON_PLAIN(host::WM_PAINT, &CKovomodelView::OnPaint)
KOVO_ON_MOUSE(host::WM_LBUTTONDOWN, &CKovomodelView::OnLButtonDown)
KOVO_ON_MOUSE(host::WM_LBUTTONUP, &CKovomodelView::OnLButtonUp)
KOVO_ON_MOUSE(host::WM_MOUSEMOVE, &CKovomodelView::OnMouseMove)
KOVO_ON_MOUSE(host::WM_RBUTTONDOWN, &CKovomodelView::OnRButtonDown)
KOVO_ON_MOUSE(host::WM_RBUTTONUP, &CKovomodelView::OnRButtonUp)
KOVO_END_MESSAGE_MAP()

CKovomodelDoc* CKovomodelView::GetDocument() const {
    assert(m_document == nullptr || m_document->IsKindOf(&CKovomodelDoc::classRecord));
    return static_cast<CKovomodelDoc*>(m_document);
}

BOOL CKovomodelView::PreCreateWindow(host::CREATESTRUCT& cs) {
    cs.style |= host::WS_CLIPSIBLINGS | host::WS_CLIPCHILDREN;
    return CView::PreCreateWindow(cs);
}

void CKovomodelView::OnDraw(host::HDC /*dc*/) {}

int CKovomodelView::OnCreate(host::CREATESTRUCT* cs) {
    if (CView::OnCreate(cs) == -1) {
        return -1;
    }
    // A failed set-up leaves the view without a context: it stays empty but
    // the rest of the program works, so the window is created either way.
    m_surface.Create(host::GetDC(m_hWnd));
    return 0;
}

void CKovomodelView::OnDestroy() {
    m_surface.Destroy();
    CView::OnDestroy();
}

void CKovomodelView::OnSize(UINT /*type*/, int cx, int cy) {
    Default();
    m_surface.Resize(cx, cy);
}

void CKovomodelView::OnPaint() {
    PaintScope paint(m_hWnd);
    if (CKovomodelDoc* doc = GetDocument()) {
        doc->DrawScene();
    }
    // Presented on the paint's own device context, not the one kept from
    // creation.
    if (!m_surface.Present(paint.Dc())) {
        return;
    }
    if (s_closeAfterFirstFrame) {
        CloseAfterFirstFrame();
    }
    m_turnBenchmark.OnFramePresented(m_hWnd);
}

void CKovomodelView::OnLButtonDown(UINT /*flags*/, int x, int y) {
    BeginDrag(m_leftDrag, x, y);
    Default();
}

void CKovomodelView::OnLButtonUp(UINT /*flags*/, int /*x*/, int /*y*/) {
    EndDrag(m_leftDrag);
    Default();
}

void CKovomodelView::OnRButtonDown(UINT /*flags*/, int x, int y) {
    BeginDrag(m_rightDrag, x, y);
    Default();
}

void CKovomodelView::OnRButtonUp(UINT /*flags*/, int /*x*/, int /*y*/) {
    EndDrag(m_rightDrag);
    Default();
}

void CKovomodelView::OnMouseMove(UINT /*flags*/, int x, int y) {
    CKovomodelDoc* doc = GetDocument();
    if (doc != nullptr &&
        DragMove(m_leftDrag, m_rightDrag, x, y, doc->m_angleY, doc->m_angleX, doc->m_distance)) {
        RequestRepaint();
    }
    Default();
}

void CKovomodelView::RequestRepaint() {
    host::InvalidateRect(m_hWnd, nullptr, host::FALSE);
}

void CKovomodelView::CloseAfterFirstFrame() {
    s_closeAfterFirstFrame = false;
    host::PostMessage(host::GetTopLevelWindow(m_hWnd), host::WM_CLOSE, 0, 0);
}
