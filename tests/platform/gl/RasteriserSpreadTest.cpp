#include "platform/gl/RasteriserSpread.h"

#include <gtest/gtest.h>

#include <future>
#include <thread>
#include <vector>

#include <pthread.h>
#include <sys/syscall.h>
#include <unistd.h>

namespace host::test {
namespace {

// A thread with a given name that waits until the test lets it end.
class NamedThread {
public:
    explicit NamedThread(const char* name) {
        std::promise<pid_t> started;
        std::future<pid_t> id = started.get_future();
        m_thread = std::thread([this, name, &started] {
            pthread_setname_np(pthread_self(), name);
            started.set_value(static_cast<pid_t>(syscall(SYS_gettid)));
            m_end.get_future().wait();
        });
        m_id = id.get();
    }
    ~NamedThread() {
        m_end.set_value();
        m_thread.join();
    }
    NamedThread(const NamedThread&) = delete;
    NamedThread& operator=(const NamedThread&) = delete;

    pid_t Id() const { return m_id; }

private:
    std::promise<void> m_end;
    std::thread m_thread;
    pid_t m_id = 0;
};

cpu_set_t ProcessorsOf(pid_t thread) {
    cpu_set_t set;
    CPU_ZERO(&set);
    EXPECT_EQ(sched_getaffinity(thread, sizeof set, &set), 0);
    return set;
}

TEST(RasteriserSpreadTest, BindsNamedThreadsApartAndGivesTheirProcessorsBack) {
    const cpu_set_t usable = ProcessorsOf(0);
    NamedThread first("kovospread-0");
    NamedThread second("kovospread-1");
    NamedThread other("kovoother-0");
    {
        const RasteriserSpread spread("kovospread-");
        if (CPU_COUNT(&usable) < 2) {
            EXPECT_EQ(spread.BoundCount(), 0u); // one processor: nothing to spread
        } else {
            ASSERT_EQ(spread.BoundCount(), 2u);
            cpu_set_t a = ProcessorsOf(first.Id());
            cpu_set_t b = ProcessorsOf(second.Id());
            EXPECT_EQ(CPU_COUNT(&a), 1);
            EXPECT_EQ(CPU_COUNT(&b), 1);
            EXPECT_FALSE(CPU_EQUAL(&a, &b));
        }
        cpu_set_t untouched = ProcessorsOf(other.Id());
        EXPECT_TRUE(CPU_EQUAL(&untouched, &usable));
    }
    for (pid_t thread : {first.Id(), second.Id(), other.Id()}) {
        cpu_set_t after = ProcessorsOf(thread);
        EXPECT_TRUE(CPU_EQUAL(&after, &usable)) << "thread " << thread;
    }
}

TEST(RasteriserSpreadTest, GivesBackTheProcessorsEachThreadHad) {
    const cpu_set_t usable = ProcessorsOf(0);
    if (CPU_COUNT(&usable) < 2) {
        GTEST_SKIP() << "needs two processors";
    }
    NamedThread thread("kovonarrow-0");
    int last = CPU_SETSIZE - 1;
    while (!CPU_ISSET(last, &usable)) {
        --last;
    }
    cpu_set_t narrowed;
    CPU_ZERO(&narrowed);
    CPU_SET(last, &narrowed);
    ASSERT_EQ(sched_setaffinity(thread.Id(), sizeof narrowed, &narrowed), 0);
    {
        const RasteriserSpread spread("kovonarrow-");
        EXPECT_EQ(spread.BoundCount(), 1u);
    }
    cpu_set_t after = ProcessorsOf(thread.Id());
    EXPECT_TRUE(CPU_EQUAL(&after, &narrowed));
}

TEST(RasteriserSpreadTest, BindsNothingWhereNoThreadHasTheName) {
    const RasteriserSpread spread("kovonone-");
    EXPECT_EQ(spread.BoundCount(), 0u);
}

} // namespace
} // namespace host::test
