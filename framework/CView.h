#pragma once
// A view: the frame's client window that shows a document. It receives
// commands first and passes what it does not handle to its document.

#include "framework/CWnd.h"

class CCmdUI;
class CDocument;

class CView : public CWnd {
public:
    KOVO_DECLARE_RUNTIME_CLASS(CView)

    CView() = default;
    /// Leaves the document if it is still attached.
    ~CView() override;

    /// Its own tables first, then the document's routing (with this view
    /// recorded as the routing view for the duration).
    host::BOOL RouteCommand(host::UINT id, int code, void* extra, CommandProbe* probe) override;

    CDocument* GetDocument() const { return m_document; }
    /// The view whose document is being asked for a command now, or null.
    static CView* RoutingView();

    /// Draws the view's contents; called by the framework's paint handling.
    virtual void OnDraw(host::HDC dc);
    /// The first update after the document is ready: repaints the whole view.
    virtual void OnInitialUpdate();

    CDocument* m_document = nullptr; ///< back link, kept by the document

    KOVO_DECLARE_MESSAGE_MAP()

protected:
    /// Adds the view to the document named in the creation context.
    int OnCreate(host::CREATESTRUCT* cs);
    /// Makes the frame forget the view as its active view.
    void OnDestroy();
    void OnPaint();
    host::LRESULT OnMouseActivate(host::WPARAM wParam, host::LPARAM lParam);
    host::LRESULT OnInitialUpdateMessage(host::WPARAM wParam, host::LPARAM lParam);
    /// The view is never split into panes: splitting and pane switching are
    /// disabled, so their keys do nothing.
    void OnUpdatePaneCommand(CCmdUI* ui);
    host::BOOL OnPaneCommand(host::UINT id);
    /// The split command ends here, handled: there is nothing to split.
    void OnSplitCommand();
    /// Leaves the document: the window is gone.
    void PostNcDestroy() override;
};
