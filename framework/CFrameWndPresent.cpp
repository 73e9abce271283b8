// Showing the frame for its document and keeping its caption.

#include "framework/CDocument.h"
#include "framework/CFrameWnd.h"
#include "framework/CView.h"
#include "framework/CWinApp.h"
#include "framework/FrameworkIds.h"
#include "framework/FrameworkText.h"

using host::BOOL;
using host::TRUE;

void CFrameWnd::PresentFrame(CDocument* document, BOOL makeVisible) {
    if (m_activeView == nullptr) {
        auto* view = dynamic_cast<CView*>(FromHandle(host::GetDlgItem(m_hWnd, fw::kFirstPaneId)));
        if (view != nullptr) {
            SetActiveView(view);
        }
    }
    if (makeVisible) {
        SendMessageToDescendants(m_hWnd, fw::InitialUpdate, 0, 0);
        int show = -1;
        CWinApp* app = CWinApp::Current();
        if (app != nullptr && app->m_pMainWnd == this) {
            show = app->m_showCommand; // the start-up show command serves once
            app->m_showCommand = -1;
        }
        BringFrameForward(show);
        if (m_activeView != nullptr && host::GetActiveWindow() == m_hWnd) {
            host::SetFocus(m_activeView->m_hWnd);
        }
    }
    if (document != nullptr) {
        document->UpdateFrameTitles();
    }
    UpdateTitle(TRUE);
}

void CFrameWnd::BringFrameForward(int showCommand) {
    if (showCommand == -1) {
        if (!host::IsWindowVisible(m_hWnd)) {
            showCommand = host::SW_SHOWNORMAL;
        } else if (host::IsIconic(m_hWnd)) {
            showCommand = host::SW_RESTORE;
        }
    }
    host::BringWindowToTop(m_hWnd);
    if (showCommand != -1) {
        host::ShowWindow(m_hWnd, showCommand);
        host::BringWindowToTop(m_hWnd);
    }
}

void CFrameWnd::UpdateTitle(BOOL withDocument) {
    const host::UINT style = host::GetWindowStyle(m_hWnd);
    if ((style & fw::FWS_ADDTOTITLE) == 0) {
        return;
    }
    CDocument* document = GetActiveDocument();
    std::string caption = m_frameTitle;
    if (withDocument && document != nullptr) {
        std::string docTitle = document->m_title;
        if (m_windowNumber > 0) {
            docTitle += ":" + std::to_string(m_windowNumber);
        }
        caption = (style & fw::FWS_PREFIXTITLE) != 0 ? docTitle + " - " + m_frameTitle
                                                     : m_frameTitle + " - " + docTitle;
    }
    // A file name may hold a line feed, which would split the caption.
    caption = VisibleText(caption);
    if (host::GetWindowText(m_hWnd) != caption) {
        host::SetWindowText(m_hWnd, caption);
    }
}
