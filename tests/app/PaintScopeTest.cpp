#include "app/PaintScope.h"

#include "platform/HostQueue.h"

#include <gtest/gtest.h>

#include <stdexcept>

namespace {

host::LRESULT PlainProcedure(host::HWND hwnd, host::UINT message, host::WPARAM wParam,
                             host::LPARAM lParam) {
    return host::DefWindowProc(hwnd, message, wParam, lParam);
}

bool PaintPending() {
    host::MSG msg;
    bool pending = false;
    while (host::PeekMessage(&msg, host::PM_REMOVE)) {
        pending = pending || msg.message == host::WM_PAINT;
        if (msg.message == host::WM_PAINT) {
            host::ValidateRect(msg.hwnd, nullptr);
        }
    }
    return pending;
}

} // namespace

TEST(PaintScopeTest, EndsThePaintAndValidatesTheWindowAlsoWhenAnExceptionPasses) {
    host::CREATESTRUCT cs;
    cs.cx = 40;
    cs.cy = 30;
    host::HWND hwnd = host::CreateWindow(cs, &PlainProcedure, nullptr);
    ASSERT_NE(hwnd, nullptr);
    PaintPending();

    host::InvalidateRect(hwnd, nullptr, host::FALSE);
    {
        PaintScope paint(hwnd);
        EXPECT_NE(paint.Dc(), nullptr);
    }
    EXPECT_FALSE(PaintPending());

    host::InvalidateRect(hwnd, nullptr, host::FALSE);
    EXPECT_THROW(
        {
            PaintScope paint(hwnd);
            throw std::runtime_error("drawing failed");
        },
        std::runtime_error);
    EXPECT_FALSE(PaintPending()) << "a failed paint is not repeated for ever";
    host::DestroyWindow(hwnd);
}
