#include "platform/dirlock.h"

#include "support/tempdir.h"

#include <gtest/gtest.h>

#include <chrono>
#include <thread>

#ifndef _WIN32
#include <sys/wait.h>
#include <unistd.h>
#endif

namespace vellicor {
namespace {

using namespace std::chrono_literals;

class DirectoryLockTest : public test::TempDirTest {};

TEST_F(DirectoryLockTest, OneHolderAtATimeWithABoundedWait)
{
    auto first = DirectoryLock::Acquire(dir_.string(), 0ms);
    ASSERT_TRUE(first);
    const auto start = std::chrono::steady_clock::now();
    EXPECT_FALSE(DirectoryLock::Acquire(dir_.string(), 50ms));
    EXPECT_GE(std::chrono::steady_clock::now() - start, 50ms);

    // A waiter gets the lock as soon as the holder lets go.
    std::thread release([&] {
        std::this_thread::sleep_for(30ms);
        first.reset();
    });
    EXPECT_TRUE(DirectoryLock::Acquire(dir_.string(), 5s));
    release.join();
    EXPECT_FALSE(DirectoryLock::Acquire((dir_ / "absent").string(), 0ms));
}

#ifndef _WIN32
// A killed holder leaves no lock behind.
TEST_F(DirectoryLockTest, AnotherProcessHoldsItUntilItEnds)
{
    int ready[2];
    ASSERT_EQ(::pipe(ready), 0);
    const pid_t child = ::fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        auto held = DirectoryLock::Acquire(dir_.string(), 0ms);
        const char byte = held ? 'y' : 'n';
        (void)!::write(ready[1], &byte, 1);
        ::pause();
        ::_exit(0);
    }
    char byte = 0;
    ASSERT_EQ(::read(ready[0], &byte, 1), 1);
    EXPECT_EQ(byte, 'y');
    EXPECT_FALSE(DirectoryLock::Acquire(dir_.string(), 20ms));
    ::kill(child, SIGKILL);
    ::waitpid(child, nullptr, 0);
    EXPECT_TRUE(DirectoryLock::Acquire(dir_.string(), 0ms));
    ::close(ready[0]);
    ::close(ready[1]);
}
#endif

} // namespace
} // namespace vellicor
