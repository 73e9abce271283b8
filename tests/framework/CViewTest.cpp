// The view: the routing view recorded while its document is asked, and how a
// click and the frame's activation make it the receiver of commands and keys.

#include "FrameworkTestSupport.h"

#include "platform/HostQueue.h"

#include <gtest/gtest.h>

#include <stdexcept>

namespace {

constexpr host::UINT ID_THROWS = 40100;
constexpr host::UINT ID_ROUTES_INNER = 40101;

// A document whose command fails, as a handler that runs out of memory or
// meets a broken file would, and whose other command routes that one through
// a second view.
class FailingDoc : public CDocument {
public:
    CView* m_routingViewSeen = nullptr;
    CView* m_inner = nullptr;
    CView* m_routingViewAfterInner = nullptr;

    KOVO_DECLARE_MESSAGE_MAP()
protected:
    void OnThrows() {
        m_routingViewSeen = CView::RoutingView();
        throw std::runtime_error("handler failed");
    }
    void OnRoutesInner() {
        try {
            m_inner->RouteCommand(ID_THROWS, 0, nullptr, nullptr);
        } catch (const std::runtime_error&) {
            m_routingViewAfterInner = CView::RoutingView();
        }
    }
};

KOVO_BEGIN_MESSAGE_MAP(FailingDoc, CDocument)
KOVO_ON_COMMAND(ID_THROWS, &FailingDoc::OnThrows)
KOVO_ON_COMMAND(ID_ROUTES_INNER, &FailingDoc::OnRoutesInner)
KOVO_END_MESSAGE_MAP()

TEST(CViewRoutingTest, TheRoutingViewIsBackAfterADocumentHandlerThrows) {
    FailingDoc document;
    CView view;
    view.m_document = &document;
    EXPECT_THROW(view.RouteCommand(ID_THROWS, 0, nullptr, nullptr), std::runtime_error);
    EXPECT_EQ(document.m_routingViewSeen, &view) << "set while the document was asked";
    EXPECT_EQ(CView::RoutingView(), nullptr);

    // A failure routed through a second view inside the first one's routing
    // leaves the first one recorded.
    CView outer;
    outer.m_document = &document;
    document.m_inner = &view;
    EXPECT_TRUE(outer.RouteCommand(ID_ROUTES_INNER, 0, nullptr, nullptr));
    EXPECT_EQ(document.m_routingViewAfterInner, &outer);
    EXPECT_EQ(CView::RoutingView(), nullptr);
    view.m_document = nullptr; // the views do not belong to the document
    outer.m_document = nullptr;
}

class CViewTest : public fwtest::FrameworkTest {
protected:
    void SetUp() override {
        FrameworkTest::SetUp();
        ASSERT_NE(StartNew(), nullptr);
    }
};

TEST_F(CViewTest, AClickMakesTheViewActiveAndTheFrameHandsItTheKeyboard) {
    CFrameWnd* frame = MainFrame();
    fwtest::TestView* view = View();
    frame->SetActiveView(nullptr);
    const host::LRESULT answer = host::SendMessage(
        view->m_hWnd, host::WM_MOUSEACTIVATE, reinterpret_cast<host::WPARAM>(frame->m_hWnd),
        host::MAKELPARAM(host::HTCLIENT, host::WM_LBUTTONDOWN));
    EXPECT_EQ(answer, host::MA_ACTIVATE) << "the click activates and is kept";
    EXPECT_EQ(frame->GetActiveView(), view);

    // Another window takes the activation and the keyboard; raising the
    // frame again gives the keyboard back to its view.
    host::CREATESTRUCT cs;
    cs.style = host::WS_OVERLAPPEDWINDOW;
    host::HWND other = host::CreateWindow(cs, &host::DefWindowProc, nullptr);
    host::ShowWindow(other, host::SW_SHOW);
    EXPECT_EQ(host::GetActiveWindow(), other);
    EXPECT_EQ(host::GetFocus(), other);
    host::BringWindowToTop(frame->m_hWnd);
    EXPECT_EQ(host::GetActiveWindow(), frame->m_hWnd);
    EXPECT_EQ(host::GetFocus(), view->m_hWnd);
    host::DestroyWindow(other);
}

} // namespace
