#include "app/SingleInstance.h"

#include "model/FileAccess.h"
#include "model/QueueFile.h"
#include "model/Settings.h"
#include "model/WaitList.h"

#include "support/RunInChild.h"
#include "support/TempFolder.h"

#include <gtest/gtest.h>

#include <QLockFile>
#include <QSysInfo>

#include <functional>
#include <optional>
#include <poll.h>
#include <string>
#include <string_view>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

namespace agendrix {
namespace {

    enum class Answering { TakesRequests, Silent };

    void WriteLine(int fd, const std::string& text)
    {
        const std::string line = text + "\n";
        // A line is far shorter than a pipe holds, so one write hands it on whole.
        [[maybe_unused]] const ssize_t written = ::write(fd, line.data(), line.size());
    }

    // The next line from `fd`, without its end; nothing when the writer has gone or said nothing
    // for 10 s, far longer than any step of a hand-over takes.
    std::optional<std::string> ReadLine(int fd)
    {
        std::string line;
        pollfd ready { fd, POLLIN, 0 };
        char c = 0;
        while (::poll(&ready, 1, 10000) > 0 && ::read(fd, &c, 1) > 0) {
            if (c == '\n')
                return line;
            line += c;
        }
        return std::nullopt;
    }

    // Another start of the program in a process of its own that claims `folder` and, once it is
    // the running instance, holds it until the test lets it go. It says "running" when it is;
    // one that takes requests then takes the first list handed over and says its path.
    class OtherInstance {
    public:
        OtherInstance(const std::string& folder, Answering answering)
        {
            int report[2];
            int hold[2];
            if (::pipe(report) != 0 || ::pipe(hold) != 0)
                return;
            Child = ::fork();
            if (Child == 0) {
                ::close(report[0]);
                ::close(hold[1]);
                Run(folder, answering, report[1], hold[0]);
            }
            ::close(report[1]);
            ::close(hold[0]);
            Report = report[0];
            Hold = hold[1];
        }
        ~OtherInstance()
        {
            ::close(Hold); // lets the child end
            ::close(Report);
            if (Child > 0)
                ::waitpid(Child, nullptr, 0);
        }
        OtherInstance(const OtherInstance&) = delete;
        OtherInstance& operator=(const OtherInstance&) = delete;

        std::optional<std::string> Said() { return Child > 0 ? ReadLine(Report) : std::nullopt; }

    private:
        [[noreturn]] static void Run(const std::string& folder, Answering answering, int report, int hold)
        {
            SingleInstance instance(folder);
            const bool running = instance.Claim(StartRequest {}) == StartRole::Running;
            WriteLine(report, running ? "running" : "not running");
            // Looks for a request every 5 ms until the test lets it go.
            pollfd letGo { hold, POLLIN, 0 };
            while (running && answering == Answering::TakesRequests && ::poll(&letGo, 1, 5) == 0) {
                if (const auto request = TakeQueueFile(folder + "/" + std::string(QueueFileName))) {
                    WriteLine(report, request->ListPath);
                    break;
                }
            }
            char byte = 0;
            while (::read(hold, &byte, 1) > 0) { }
            ::_exit(0); // no unwinding: the instance lock stays the child's until it is gone
        }

        pid_t Child = -1;
        int Report = -1;
        int Hold = -1;
    };

    class SingleInstanceTest : public testing::Test {
    protected:
        std::string InFolder(std::string_view name) const { return Folder / name; }
        test::TempFolder Folder;
    };

    TEST_F(SingleInstanceTest, TheFirstStartRunsAndHoldsTheFolder)
    {
        SingleInstance instance(Folder.Path());
        EXPECT_EQ(instance.Claim(StartRequest { "/lists/first.agl" }), StartRole::Running);
        EXPECT_EQ(instance.Problem(), "");
        EXPECT_FALSE(FileExists(InFolder(WaitListFileName))) << "the only start left the wait list";
        const std::string lockPath = InFolder(LockFileName);
        EXPECT_EQ(test::RunInChild([&]() -> std::string {
            QLockFile lock(QString::fromStdString(lockPath));
            return lock.tryLock(0) ? "another process took the lock" : "";
        }),
            "");
    }

    TEST_F(SingleInstanceTest, AStartWhileAnotherRunsHandsItsListOver)
    {
        OtherInstance running(Folder.Path(), Answering::TakesRequests);
        ASSERT_EQ(running.Said(), "running");
        SingleInstance instance(Folder.Path());
        EXPECT_EQ(instance.Claim(StartRequest { "/lists/second.agl" }), StartRole::HandedOver);
        EXPECT_EQ(instance.Problem(), "");
        EXPECT_EQ(running.Said(), "/lists/second.agl");
        EXPECT_FALSE(FileExists(InFolder(QueueFileName)));
    }

    TEST_F(SingleInstanceTest, ARestartRunsWithoutHandingOver)
    {
        OtherInstance running(Folder.Path(), Answering::Silent);
        ASSERT_EQ(running.Said(), "running");
        SingleInstance instance(Folder.Path());
        EXPECT_EQ(instance.Claim(StartRequest { "", StartKind::Refresh }), StartRole::Running);
        EXPECT_FALSE(FileExists(InFolder(QueueFileName)));
    }

    // The start waits its full patience, five seconds, for the silent instance: the one slow test
    // of the suite, and the only check of the real clock and pauses of the waiting loop.
    TEST_F(SingleInstanceTest, AStartThatGetsNoAnswerSaysSoAndTakesItsRequestBack)
    {
        OtherInstance running(Folder.Path(), Answering::Silent);
        ASSERT_EQ(running.Said(), "running");
        SingleInstance instance(Folder.Path());
        EXPECT_EQ(instance.Claim(StartRequest { "/lists/third.agl" }), StartRole::NotHandedOver);
        EXPECT_EQ(instance.Problem(),
            "The running Agendrix did not answer within 5 seconds; \"/lists/third.agl\" was not opened.");
        EXPECT_FALSE(FileExists(InFolder(QueueFileName))) << "the request was taken back";
    }

    // The id of a process that has ended.
    qint64 EndedProcess()
    {
        const pid_t child = ::fork();
        if (child == 0)
            ::_exit(0);
        ::waitpid(child, nullptr, 0);
        return child;
    }

    // A lock file as a running instance writes it, with its process id and host name replaced.
    std::string LockFileOf(const std::string& folder, qint64 pid, const QString& host)
    {
        const std::string path = folder + "/model.lock";
        QLockFile model(QString::fromStdString(path));
        model.tryLock(0);
        const std::string written = ReadWholeFile(path).Bytes;
        std::vector<std::string> lines;
        for (const std::string_view line : SplitLines(written))
            lines.emplace_back(line);
        model.unlock();
        lines.at(0) = std::to_string(pid);
        lines.at(2) = host.toStdString();
        std::string bytes;
        for (const std::string& line : lines)
            bytes += line + "\n";
        return bytes;
    }

    TEST(SingleInstanceLookTest, HeldElsewhereOnlyByARunningProcess)
    {
        const QString here = QSysInfo::machineHostName();
        const struct {
            const char* Name;
            std::function<void(const std::string& folder, const std::string& lockPath)> Prepare;
            bool Held;
        } cases[] = {
            { "unreadableLock",
                [](const std::string&, const std::string& lockPath) {
                    SaveFileAtomically(lockPath, "junk\n");
                },
                false },
            { "noLock", [](const std::string&, const std::string&) {}, false },
            { "endedProcess",
                [&](const std::string& folder, const std::string& lockPath) {
                    SaveFileAtomically(lockPath, LockFileOf(folder, EndedProcess(), here));
                },
                false },
            { "runningProcess",
                [&](const std::string& folder, const std::string& lockPath) {
                    SaveFileAtomically(lockPath, LockFileOf(folder, ::getppid(), here));
                },
                true },
            { "processOfAnotherMachine",
                [](const std::string& folder, const std::string& lockPath) {
                    SaveFileAtomically(
                        lockPath, LockFileOf(folder, EndedProcess(), QStringLiteral("elsewhere")));
                },
                true },
        };
        for (const auto& c : cases) {
            const test::TempFolder folder;
            const std::string lockPath = folder / LockFileName;
            c.Prepare(folder.Path(), lockPath);
            const SingleInstance instance(folder.Path());
            EXPECT_EQ(instance.HeldElsewhere(), c.Held) << c.Name;
        }
    }

} // namespace
} // namespace agendrix
