// Handler tables and run-time class records.

#include "FrameworkTestSupport.h"

#include "framework/CCmdTarget.h"
#include "framework/CFrameWnd.h"
#include "framework/FrameworkIds.h"

#include <gtest/gtest.h>

namespace {

class Base : public CCmdTarget {
public:
    KOVO_DECLARE_MESSAGE_MAP()
    void OnBase() {}
    void OnBaseRange() {}
};

class Derived : public Base {
public:
    KOVO_DECLARE_MESSAGE_MAP()
    void OnDerived() {}
    void OnFirstOfTwo() {}
    void OnSecondOfTwo() {}
};

KOVO_BEGIN_MESSAGE_MAP(Base, CCmdTarget)
KOVO_ON_COMMAND(100, &Base::OnBase)
KOVO_ON_COMMAND_RANGE(200, 210, &Base::OnBaseRange)
KOVO_END_MESSAGE_MAP()

KOVO_BEGIN_MESSAGE_MAP(Derived, Base)
KOVO_ON_COMMAND(100, &Derived::OnDerived)
KOVO_ON_COMMAND_RANGE(300, 310, &Derived::OnFirstOfTwo)
KOVO_ON_COMMAND(305, &Derived::OnSecondOfTwo)
KOVO_END_MESSAGE_MAP()

const MessageMapEntry* FindCommand(const CCmdTarget& target, host::UINT id) {
    return target.GetMessageMap()->Find(host::WM_COMMAND, 0, id);
}

TEST(MessageMapTest, OwnTableShadowsBaseAndFirstEntryWins) {
    Derived derived;
    const MessageMapEntry* own = FindCommand(derived, 100);
    ASSERT_NE(own, nullptr);
    EXPECT_EQ(own, &Derived::s_messageMap.entries[0]);

    // 305 lies in the earlier range: the later single entry never wins.
    EXPECT_EQ(FindCommand(derived, 305), &Derived::s_messageMap.entries[1]);
    // Ranges include both ends; the base table is searched after the own.
    EXPECT_EQ(FindCommand(derived, 200), &Base::s_messageMap.entries[1]);
    EXPECT_EQ(FindCommand(derived, 210), &Base::s_messageMap.entries[1]);
    EXPECT_EQ(FindCommand(derived, 211), nullptr);
    EXPECT_EQ(FindCommand(derived, 199), nullptr);
}

TEST(MessageMapTest, CodeMustMatch) {
    Derived derived;
    // A command entry does not answer a menu-update request, nor a window
    // message with the same number.
    EXPECT_EQ(derived.GetMessageMap()->Find(host::WM_COMMAND, 0xFFFFFFFF, 100), nullptr);
    EXPECT_EQ(derived.GetMessageMap()->Find(host::WM_PAINT, 0, 100), nullptr);
}

TEST(MessageMapTest, RoutingCallsHandlerOnlyOutsideProbe) {
    fwtest::TestApp app;
    fwtest::Log().clear();
    CommandProbe probe;
    EXPECT_TRUE(app.RouteCommand(fwtest::ID_APP_ONLY, 0, nullptr, &probe));
    EXPECT_EQ(probe.target, &app);
    ASSERT_NE(probe.entry, nullptr);
    EXPECT_EQ(probe.entry->firstId, fwtest::ID_APP_ONLY);
    EXPECT_TRUE(fwtest::Log().empty());

    EXPECT_TRUE(app.RouteCommand(fwtest::ID_APP_ONLY, 0, nullptr, nullptr));
    EXPECT_EQ(fwtest::Log(), std::vector<std::string>{"app:40003"});
    EXPECT_FALSE(app.RouteCommand(fwtest::ID_UNHANDLED, 0, nullptr, nullptr));
}

TEST(RuntimeClassTest, CreatesByRecordAndKnowsItsBases) {
    std::unique_ptr<CObject> frame = fwtest::TestFrame::classRecord.CreateObject();
    ASSERT_NE(frame, nullptr);
    EXPECT_NE(dynamic_cast<fwtest::TestFrame*>(frame.get()), nullptr);
    EXPECT_TRUE(frame->IsKindOf(&CFrameWnd::classRecord));
    EXPECT_TRUE(frame->IsKindOf(&CWnd::classRecord));
    EXPECT_FALSE(frame->IsKindOf(&CView::classRecord));
    EXPECT_STREQ(fwtest::TestFrame::classRecord.m_className, "TestFrame");
    EXPECT_EQ(fwtest::TestFrame::classRecord.m_schema, 0xFFFFu);
    EXPECT_EQ(fwtest::TestFrame::classRecord.m_baseClass, &CFrameWnd::classRecord);
    // A framework base is not created by record.
    EXPECT_EQ(CView::classRecord.CreateObject(), nullptr);
}

} // namespace
