#include "app/CMainFrame.h"

#include "framework/CView.h" // the frame owns its view

KOVO_IMPLEMENT_CREATABLE(CMainFrame, CFrameWnd)

KOVO_BEGIN_MESSAGE_MAP(CMainFrame, CFrameWnd)
KOVO_END_MESSAGE_MAP()

host::BOOL CMainFrame::PreCreateWindow(host::CREATESTRUCT& cs) {
    return CFrameWnd::PreCreateWindow(cs);
}
