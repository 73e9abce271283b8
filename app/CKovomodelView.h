#pragma once
// The view: an OpenGL surface over the frame's client area that draws the
// document's scene on every paint and turns mouse drags into camera moves.

#include "app/TurnBenchmark.h"
#include "framework/CView.h"
#include "render/DragState.h"
#include "render/DrawingSurface.h"

class CKovomodelDoc;

class CKovomodelView : public CView {
public:
    KOVO_DECLARE_CREATABLE(CKovomodelView)

    CKovomodelView() = default;
    ~CKovomodelView() override = default;

    /// The view's document; null before the framework attaches it.
    CKovomodelDoc* GetDocument() const;

    /// Adds clipping of siblings and children, which an OpenGL window needs,
    /// then lets the framework's view adjust the rest. FALSE cancels creation.
    host::BOOL PreCreateWindow(host::CREATESTRUCT& cs) override;
    /// Does nothing: the view paints in its own paint handler.
    void OnDraw(host::HDC dc) override;

    /// When set, the main window is asked to close right after the first frame
    /// has been presented; the start-up benchmark uses it.
    static bool s_closeAfterFirstFrame;
    /// The steps of the turning benchmark that views made from now on run
    /// after their first frame (see TurnBenchmark); 0 runs none.
    static std::size_t s_turnBenchmarkSteps;
    /// The display command the turning benchmark gives first; 0 for none.
    static unsigned s_turnBenchmarkMode;

    DragState m_leftDrag;     ///< the left-button drag: turning
    DragState m_rightDrag;    ///< the right-button drag: distance
    DrawingSurface m_surface; ///< pixel format and the program's OpenGL context

    KOVO_DECLARE_MESSAGE_MAP()

protected:
    int OnCreate(host::CREATESTRUCT* cs);
    void OnDestroy();
    void OnSize(host::UINT type, int cx, int cy);
    void OnPaint();
    void OnLButtonDown(host::UINT flags, int x, int y);
    void OnLButtonUp(host::UINT flags, int x, int y);
    void OnMouseMove(host::UINT flags, int x, int y);
    void OnRButtonDown(host::UINT flags, int x, int y);
    void OnRButtonUp(host::UINT flags, int x, int y);

private:
    /// Asks for a repaint without erasing: the scene covers the whole view.
    void RequestRepaint();
    void CloseAfterFirstFrame();

    TurnBenchmark m_turnBenchmark{s_turnBenchmarkSteps, s_turnBenchmarkMode};
};
