#pragma once
// The main window: menu bar, accelerators, icon and title come from resource
// IDR_MAINFRAME; the view is its only child. No toolbar, no status bar.

#include "framework/CFrameWnd.h"

class CMainFrame : public CFrameWnd {
public:
    KOVO_DECLARE_CREATABLE(CMainFrame)

    CMainFrame() = default;
    ~CMainFrame() override = default;

    /// The frame's own creation parameters, unchanged. FALSE when the
    /// framework refuses them.
    host::BOOL PreCreateWindow(host::CREATESTRUCT& cs) override;

    KOVO_DECLARE_MESSAGE_MAP()
};
