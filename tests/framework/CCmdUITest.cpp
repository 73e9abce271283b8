#include "framework/CCmdUI.h"
#include "framework/CCmdTarget.h"
#include "framework/FrameworkIds.h"
#include "platform/HostMenu.h"

#include <gtest/gtest.h>

using host::BOOL;
using host::FALSE;
using host::TRUE;

namespace {

/// A receiver that answers routing by configuration instead of tables.
class FakeReceiver : public CCmdTarget {
public:
    BOOL RouteCommand(host::UINT id, int code, void* extra, CommandProbe* probe) override {
        m_calls.push_back(id);
        if (code == fw::kUpdateCode) {
            if (!m_hasUpdateHandler) {
                return FALSE;
            }
            static_cast<CCmdUI*>(extra)->SetEnabled(m_updateEnables);
            return TRUE;
        }
        EXPECT_NE(probe, nullptr) << "the state update must only probe commands";
        return m_hasCommandHandler;
    }
    bool m_hasUpdateHandler = false;
    BOOL m_updateEnables = TRUE;
    BOOL m_hasCommandHandler = FALSE;
    std::vector<host::UINT> m_calls;
};

class CCmdUITest : public ::testing::Test {
protected:
    void SetUp() override {
        m_menu = host::CreatePopupMenu();
        host::AppendMenu(m_menu, host::MF_STRING, 100, "&Jedna");
        host::AppendMenu(m_menu, host::MF_STRING | host::MF_CHECKED, 101, "&Dva");
        m_sub = host::CreatePopupMenu();
        host::AppendMenu(m_sub, host::MF_STRING, 200, "Vnútri");
        host::AppendMenu(m_menu, host::MF_POPUP, reinterpret_cast<std::uintptr_t>(m_sub), "Viac");
    }
    void TearDown() override { host::DestroyMenu(m_menu); }

    CCmdUI At(host::UINT index) {
        CCmdUI ui;
        ui.m_menu = m_menu;
        ui.m_index = index;
        ui.m_indexMax = 3;
        ui.m_id = host::GetMenuItemID(m_menu, static_cast<int>(index));
        return ui;
    }
    host::UINT State(int position) {
        return host::GetMenuState(m_menu, position, host::MF_BYPOSITION);
    }

    host::HMENU m_menu = nullptr;
    host::HMENU m_sub = nullptr; // owned by m_menu
};

} // namespace

TEST_F(CCmdUITest, SetEnabledGraysByPositionButNeverAPopup) {
    CCmdUI ui = At(0);
    ui.SetEnabled(FALSE);
    EXPECT_TRUE(ui.m_enableChanged);
    EXPECT_EQ(State(0) & (host::MF_GRAYED | host::MF_DISABLED),
              host::MF_GRAYED | host::MF_DISABLED);
    EXPECT_EQ(State(1) & host::MF_GRAYED, 0u);
    ui.SetEnabled(TRUE);
    EXPECT_EQ(State(0) & (host::MF_GRAYED | host::MF_DISABLED), 0u);

    CCmdUI popup = At(2);
    popup.m_id = 200;
    popup.m_subMenu = m_sub;
    popup.SetEnabled(FALSE);
    EXPECT_EQ(State(2) & host::MF_GRAYED, 0u);
}

TEST_F(CCmdUITest, SetItemTextKeepsStateAndId) {
    host::EnableMenuItem(m_menu, 1, host::MF_BYPOSITION | host::MF_GRAYED);
    CCmdUI ui = At(1);
    ui.SetItemText("&Tri");
    EXPECT_EQ(host::GetMenuString(m_menu, 1, host::MF_BYPOSITION), "&Tri");
    EXPECT_EQ(host::GetMenuItemID(m_menu, 1), 101u);
    EXPECT_TRUE(State(1) & host::MF_CHECKED);
    EXPECT_TRUE(State(1) & host::MF_GRAYED);
    // A position past the end changes nothing.
    CCmdUI past = At(1);
    past.m_index = 7;
    past.SetItemText("x");
    EXPECT_EQ(host::GetMenuItemCount(m_menu), 3);
}

TEST_F(CCmdUITest, UnhandledCommandsAreGrayedAndHandledOnesEnabled) {
    FakeReceiver receiver;
    CCmdUI ui = At(0);
    EXPECT_FALSE(ui.UpdateCommandState(&receiver, TRUE));
    EXPECT_TRUE(State(0) & host::MF_GRAYED);

    receiver.m_hasCommandHandler = TRUE;
    ui.UpdateCommandState(&receiver, TRUE);
    EXPECT_FALSE(State(0) & host::MF_GRAYED);

    // Without disableIfNoHandler the state is left as it is.
    receiver.m_hasCommandHandler = FALSE;
    ui.UpdateCommandState(&receiver, FALSE);
    EXPECT_FALSE(State(0) & host::MF_GRAYED);

    // Separators and ids ending in 0xFFFF (popups) are not routed at all.
    receiver.m_calls.clear();
    for (host::UINT id : {0u, 0xFFFFu, 0xFFFFFFFFu, 0x1FFFFu}) {
        ui.m_id = id;
        EXPECT_TRUE(ui.UpdateCommandState(&receiver, TRUE));
    }
    EXPECT_TRUE(receiver.m_calls.empty());
    EXPECT_FALSE(State(0) & host::MF_GRAYED);
}

TEST_F(CCmdUITest, AnUpdateHandlerDecidesOverThePresenceOfAHandler) {
    FakeReceiver receiver;
    receiver.m_hasUpdateHandler = true;
    receiver.m_updateEnables = FALSE;
    receiver.m_hasCommandHandler = TRUE;
    CCmdUI ui = At(0);
    EXPECT_TRUE(ui.UpdateCommandState(&receiver, TRUE));
    EXPECT_TRUE(State(0) & host::MF_GRAYED);
    EXPECT_EQ(receiver.m_calls.size(), 1u) << "no probe after an update handler";
}
