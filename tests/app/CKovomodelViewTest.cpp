// The view's mouse handling, sent as the host sends it: a drag lasts from its
// button's press to that button's release, and its steps repaint the view
// without erasing it.

#include "KovomodelTestSupport.h"

#include "framework/CCreationContext.h"
#include "platform/HostWindow.h"

#include <gtest/gtest.h>

namespace {

using apptest::KovomodelTest;

struct Drag {
    const char* name;
    host::UINT down, up;
    double angleY, angleX, distance; // the camera after the step below
};

// A step from (100, 100) to (110, 120): half a degree per pixel turning,
// ten units per pixel of height zooming.
const Drag kDrags[] = {
    {"left", host::WM_LBUTTONDOWN, host::WM_LBUTTONUP, 5.0, 10.0, 1500.0},
    {"right", host::WM_RBUTTONDOWN, host::WM_RBUTTONUP, 0.0, 0.0, 1700.0},
};

TEST_F(KovomodelTest, ADragLastsFromItsButtonsPressToThatButtonsRelease) {
    ASSERT_TRUE(Start());
    for (const Drag& drag : kDrags) {
        SCOPED_TRACE(drag.name);
        Doc()->m_angleY = Doc()->m_angleX = 0.0;
        Doc()->m_distance = 1500.0;
        Mouse(host::WM_MOUSEMOVE, 50, 50);
        ExpectCamera(0.0, 0.0, 1500.0); // no button: nothing to drag
        Mouse(drag.down, 100, 100);
        // The other button's release ends nothing.
        Mouse(drag.up == host::WM_LBUTTONUP ? host::WM_RBUTTONUP : host::WM_LBUTTONUP, 100, 100);
        Mouse(host::WM_MOUSEMOVE, 110, 120);
        ExpectCamera(drag.angleY, drag.angleX, drag.distance);
        // Released, the button leaves the camera alone however the mouse moves.
        Mouse(drag.up, 110, 120);
        for (const auto& [x, y] : {std::pair{300, 20}, std::pair{5, 400}}) {
            Mouse(host::WM_MOUSEMOVE, x, y);
        }
        ExpectCamera(drag.angleY, drag.angleX, drag.distance);
    }
}

// The program's view that also counts the paints and erasures it is sent.
class ErasureWatchingView : public CKovomodelView {
public:
    host::BOOL HandleWindowMessage(host::UINT message, host::WPARAM wParam, host::LPARAM lParam,
                                   host::LRESULT* result) override {
        m_paints += message == host::WM_PAINT ? 1 : 0;
        m_erasures += message == host::WM_ERASEBKGND ? 1 : 0;
        return CKovomodelView::HandleWindowMessage(message, wParam, lParam, result);
    }
    int m_paints = 0;
    int m_erasures = 0;
};

TEST_F(KovomodelTest, DragStepsRepaintTheViewWithoutErasingIt) {
    ASSERT_TRUE(Start());
    CCreationContext context;
    context.m_currentDoc = Doc();
    host::CREATESTRUCT cs;
    cs.style = host::WS_CHILD | host::WS_VISIBLE;
    cs.hwndParent = Frame()->m_hWnd;
    cs.cx = 300;
    cs.cy = 200;
    cs.lpCreateParams = &context;
    ErasureWatchingView view;
    ASSERT_TRUE(view.CreateEx(cs));
    for (const Drag& drag : kDrags) {
        SCOPED_TRACE(drag.name);
        apptest::PaintPending(view.m_hWnd);
        view.m_paints = view.m_erasures = 0;
        Mouse(drag.down, 100, 100, view.m_hWnd);
        Mouse(host::WM_MOUSEMOVE, 110, 120, view.m_hWnd);
        Mouse(drag.up, 110, 120, view.m_hWnd);
        host::UpdateWindow(view.m_hWnd);
        EXPECT_EQ(view.m_paints, 1) << "the step asked for a repaint";
        EXPECT_EQ(view.m_erasures, 0);
    }
    // A repaint that does ask for erasing is seen as one.
    host::InvalidateRect(view.m_hWnd, nullptr, host::TRUE);
    host::UpdateWindow(view.m_hWnd);
    EXPECT_EQ(view.m_erasures, 1);
    view.DestroyWindow();
}

} // namespace
