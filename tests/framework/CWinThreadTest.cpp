// The message loop: idle triggers, idle steps and the exit code.

#include "FrameworkTestSupport.h"

#include "framework/CWinThread.h"
#include "framework/FrameworkIds.h"
#include "platform/HostQueue.h"

#include <gtest/gtest.h>

namespace {

host::MSG Message(host::UINT message, int x = 0, int y = 0) {
    host::MSG msg;
    msg.message = message;
    msg.pt.x = x;
    msg.pt.y = y;
    msg.lParam = host::MAKELPARAM(x, y);
    return msg;
}

TEST(IdleTriggerTest, PaintsTimerTicksAndRepeatedMovesDoNotTrigger) {
    CWinThread thread;
    host::MSG paint = Message(host::WM_PAINT);
    host::MSG tick = Message(host::WM_SYSTIMER);
    EXPECT_FALSE(thread.IsIdleTrigger(&paint));
    EXPECT_FALSE(thread.IsIdleTrigger(&tick));

    host::MSG move = Message(host::WM_MOUSEMOVE, 10, 20);
    EXPECT_TRUE(thread.IsIdleTrigger(&move)) << "the first move is news";
    EXPECT_FALSE(thread.IsIdleTrigger(&move)) << "the same move again is not";
    EXPECT_FALSE(thread.IsIdleTrigger(&paint));
    EXPECT_FALSE(thread.IsIdleTrigger(&move)) << "a paint between changes nothing";

    host::MSG moved = Message(host::WM_MOUSEMOVE, 11, 20);
    EXPECT_TRUE(thread.IsIdleTrigger(&moved));
    host::MSG frameMove = Message(host::WM_NCMOUSEMOVE, 11, 20);
    EXPECT_TRUE(thread.IsIdleTrigger(&frameMove)) << "another kind of mouse message";
    EXPECT_FALSE(thread.IsIdleTrigger(&frameMove));

    host::MSG click = Message(host::WM_LBUTTONDOWN, 11, 20);
    host::MSG key = Message(host::WM_KEYDOWN);
    EXPECT_TRUE(thread.IsIdleTrigger(&click));
    EXPECT_TRUE(thread.IsIdleTrigger(&key));
}

// A thread that records its idle steps.
class CountingThread : public CWinThread {
public:
    host::BOOL IdleStep(long count) override {
        steps.push_back(count);
        if (count == 1 && !toPost.empty()) {
            host::PostMessage(nullptr, toPost.front(), 0, 0);
            toPost.erase(toPost.begin());
        }
        return CWinThread::IdleStep(count);
    }
    int ExitInstance() override {
        ++exits;
        return CWinThread::ExitInstance();
    }
    std::vector<long> steps;
    std::vector<host::UINT> toPost; ///< one posted at the end of each idle period
    int exits = 0;
};

TEST(MessageLoopTest, TwoIdleStepsPerIdlePeriodAndTheQuitCode) {
    CountingThread thread;
    host::PostQuitMessage(7);
    EXPECT_EQ(thread.RunMessageLoop(), 7);
    EXPECT_TRUE(thread.steps.empty()) << "a waiting message comes first";
    EXPECT_EQ(thread.exits, 1);

    CountingThread idle;
    EXPECT_EQ(idle.RunMessageLoop(), 0); // an empty queue without a display ends
    EXPECT_EQ(idle.steps, (std::vector<long>{0, 1}));
}

TEST(MessageLoopTest, OnlyTriggeringMessagesStartANewIdlePeriod) {
    CountingThread triggered;
    triggered.toPost = {host::WM_USER};
    EXPECT_EQ(triggered.RunMessageLoop(), 0);
    EXPECT_EQ(triggered.steps, (std::vector<long>{0, 1, 0, 1}));

    CountingThread quiet;
    quiet.toPost = {host::WM_SYSTIMER};
    EXPECT_EQ(quiet.RunMessageLoop(), 0);
    EXPECT_EQ(quiet.steps, (std::vector<long>{0, 1}));
}

TEST(MessageLoopTest, KickIdleIsNeverDispatched) {
    CWinThread thread;
    host::PostMessage(nullptr, fw::KickIdle, 0, 0);
    EXPECT_TRUE(thread.PumpOneMessage());
    EXPECT_EQ(thread.m_msgCur.message, fw::KickIdle);
}

} // namespace
