#pragma once
// The main frame: carries the menu and the accelerators, holds the view as its
// client window, routes commands (view first, then its own tables, then the
// application), grays menu items without handlers and keeps its caption.
//
// A frame owns itself: it must be created with new, and it is deleted when its
// window is destroyed (or its creation fails).

#include "framework/CWnd.h"

#include <memory>
#include <string>

class CDocument;
class CView;
struct CCreationContext;

class CFrameWnd : public CWnd {
public:
    KOVO_DECLARE_CREATABLE(CFrameWnd)

    CFrameWnd() = default;
    ~CFrameWnd() override;

    /// Creates the window from resource resourceId: its menu, accelerator
    /// table and icon, and its title (field 0 of the string). Host default
    /// placement. context names the view to create inside. FALSE when the
    /// window or its view cannot be created; the frame is deleted then.
    host::BOOL CreateFromResource(host::UINT resourceId, host::UINT style,
                                  CCreationContext* context);
    /// Adds the title-first style.
    host::BOOL PreCreateWindow(host::CREATESTRUCT& cs) override;

    /// Asks the active view, then the frame's own tables, then the application.
    host::BOOL RouteCommand(host::UINT id, int code, void* extra, CommandProbe* probe) override;
    /// Translates accelerator keys: the document's own table when it has one,
    /// else the frame's.
    host::BOOL FilterMessage(host::MSG* msg) override;

    /// Enables or grays the items of popup before it opens: items without a
    /// handler are grayed (never system commands, never items that open a
    /// further popup). Does nothing for the system menu or an empty popup.
    void UpdatePopupMenu(host::HMENU popup, host::UINT index, host::BOOL isSystemMenu);

    /// The first update of the frame for document: active view, initial
    /// update of the descendants and showing when makeVisible, then titles.
    void PresentFrame(CDocument* document, host::BOOL makeVisible);
    /// Brings the frame to the top; showCommand -1 shows a hidden frame
    /// normally, restores a minimised one and leaves a shown one as it is.
    void BringFrameForward(int showCommand);
    /// Sets the caption from the document title and the frame title when the
    /// frame has the add-to-title style; only when it differs.
    virtual void UpdateTitle(host::BOOL withDocument);

    CView* GetActiveView() const { return m_activeView; }
    /// Makes view (one of the frame's views, or null) the command receiver.
    void SetActiveView(CView* view);
    /// The active view's document, or null.
    CDocument* GetActiveDocument() const;
    /// Lays the view out over the whole client area.
    void RecalcLayout();
    /// Marks the title or the layout for the next idle-time update.
    void DelayUpdateTitle() { m_pendingTitle = true; }
    void DelayRecalcLayout() { m_pendingLayout = true; }

    CView* m_activeView = nullptr; ///< back link; the view is m_view
    host::BOOL m_disableUnhandled = host::TRUE;
    std::string m_frameTitle;
    int m_windowNumber = 0;
    host::UINT m_resourceId = 0;
    host::HACCEL m_accelTable = nullptr; ///< owned
    std::unique_ptr<CView> m_view;       ///< the view the frame created

    KOVO_DECLARE_MESSAGE_MAP()

protected:
    int OnCreate(host::CREATESTRUCT* cs);
    void OnClose();
    void OnSize(host::UINT type, int cx, int cy);
    host::LRESULT OnInitMenuPopup(host::WPARAM wParam, host::LPARAM lParam);
    host::LRESULT OnIdleUpdateUi(host::WPARAM wParam, host::LPARAM lParam);
    host::LRESULT OnActivate(host::WPARAM wParam, host::LPARAM lParam);
    /// Deletes the frame: it owns itself.
    void PostNcDestroy() override;

private:
    CView* CreateView(CCreationContext* context);
    void CloseApplication();

    bool m_pendingTitle = false;
    bool m_pendingLayout = false;
    bool m_pendingMenu = false;
};
