#pragma once
// Runs a test body in a child process with the display open, so that the
// other tests of this program keep running without one (a queue with a
// display waits for events where a headless one returns at once).

#include "platform/HostDisplay.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <functional>
#include <sys/wait.h>
#include <unistd.h>

namespace host::test {

/// Skips the test without $DISPLAY; otherwise runs body in a child that has
/// opened the display, failing the test when the child saw a failure.
inline void RunWithDisplay(const std::function<void()>& body) {
    if (!std::getenv("DISPLAY"))
        GTEST_SKIP() << "no X display";
    if (HasDisplay()) {
        // Another test opened it in this process; a child would share the
        // connection, so run here.
        body();
        return;
    }
    const pid_t child = fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        // The X server can refuse a connection while it still tears down the
        // previous test's one; ask again briefly.
        for (int attempt = 0; attempt < 20 && !OpenDisplay(); ++attempt)
            usleep(100000);
        if (!HasDisplay()) {
            std::fprintf(stderr, "cannot open the display\n");
            _exit(2);
        }
        body();
        _exit(::testing::Test::HasFailure() ? 1 : 0);
    }
    int status = 0;
    ASSERT_EQ(waitpid(child, &status, 0), child);
    ASSERT_TRUE(WIFEXITED(status)) << "the display test crashed";
    EXPECT_EQ(WEXITSTATUS(status), 0) << "failures above came from the display process";
}

} // namespace host::test
