#include "platform/WorkerThreads.h"

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <latch>
#include <thread>

namespace quorvel {
namespace {

// Every thread runs at once (each waits for all the others), off the calling thread, and a join waits
// for the slowest; the same object serves the next job.
TEST(WorkerThreadsTest, ThreadsRunSideBySideAndAJoinWaitsForAll)
{
    WorkerThreads threads;
    for (const int count : {1, 8, 16}) {
        SCOPED_TRACE(count);
        std::latch all(count);
        std::atomic<int> ended {0}, onCaller {0};
        const auto caller = std::this_thread::get_id();
        for (int t = 0; t < count; ++t)
            threads.Start([&, t] {
                onCaller += std::this_thread::get_id() == caller;
                all.arrive_and_wait();
                if (t == 0)
                    std::this_thread::sleep_for(std::chrono::milliseconds(20));
                ++ended;
            });
        threads.Join();
        EXPECT_EQ(ended.load(), count);
        EXPECT_EQ(onCaller.load(), 0);
    }
}

}  // namespace
}  // namespace quorvel
