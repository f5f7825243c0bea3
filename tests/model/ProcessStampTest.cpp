#include "model/ProcessStamp.h"

#include "ModelTest.h"

#include <sys/wait.h>

namespace agendrix {
namespace {

    TEST(ProcessStampTest, ARunningProcessIsKnownByItsIdAndStart)
    {
        const ProcessStamp self = StampOf(::getpid());
        ASSERT_GT(self.StartTicks, 0u) << "no /proc here";
        EXPECT_TRUE(IsRunning(self));
        EXPECT_TRUE(IsRunning(ProcessStamp { 0, self.Pid }));
        // The same id with another start is a later process that got the id of an ended one.
        EXPECT_FALSE(IsRunning(ProcessStamp { self.StartTicks + 1, self.Pid }));
        EXPECT_FALSE(IsRunning(ProcessStamp { self.StartTicks, 0 }));

        int toChild[2];
        ASSERT_EQ(::pipe(toChild), 0);
        const pid_t child = ::fork();
        if (child == 0) {
            ::close(toChild[1]);
            char byte;
            [[maybe_unused]] const ssize_t got = ::read(toChild[0], &byte, 1);
            ::_exit(0);
        }
        ::close(toChild[0]);
        const ProcessStamp started = StampOf(child);
        EXPECT_TRUE(IsRunning(started));
        EXPECT_LT(self, started);
        // The child runs the same executable: it is found with this process, oldest first.
        const std::vector<ProcessStamp> found = ProcessesOf("/proc/self/exe", self.StartTicks);
        EXPECT_NE(std::find(found.begin(), found.end(), self), found.end());
        EXPECT_NE(std::find(found.begin(), found.end(), started), found.end());
        EXPECT_TRUE(std::is_sorted(found.begin(), found.end()));
        EXPECT_TRUE(ProcessesOf("/proc/self/exe", started.StartTicks + 1000).empty());

        ::close(toChild[1]); // the child ends
        for (int i = 0; i < 500 && IsRunning(started); ++i)
            ::usleep(10000); // an ended child that is not reaped yet is a zombie, not running
        EXPECT_FALSE(IsRunning(started));
        ::waitpid(child, nullptr, 0);
        EXPECT_FALSE(IsRunning(started));
    }

} // namespace
} // namespace agendrix
