#include "model/HandOverTurn.h"

#include "model/QueueFile.h"
#include "model/Settings.h"

#include "ModelTest.h"

#include <chrono>
#include <csignal>
#include <fcntl.h>
#include <sys/file.h>

namespace agendrix {
namespace {

    const ProcessStamp Earlier { 90, 3000 };
    const ProcessStamp Me { 100, 4000 };
    const ProcessStamp Later { 110, 5000 };
    const std::string MyList = "/lists/mine.agl";

    class FakeProcesses : public ProgramProcesses {
    public:
        bool LockFree = false;
        std::vector<ProcessStamp> Recent;
        int LockTries = 0;

        bool TryInstanceLock() override
        {
            ++LockTries;
            return LockFree;
        }
        std::vector<ProcessStamp> RecentStarts() override { return Recent; }
    };

    // A program folder with a wait list in which every start runs until the test ends it.
    class HandOverTurnTest : public testing::Test {
    protected:
        HandOverTurn TurnOf(const ProcessStamp& self, const std::string& list, FileOps& ops = SystemFileOps())
        {
            return HandOverTurn(Line, self, Queue, list, Processes, ops);
        }

        TempFolder Folder;
        std::string Queue = Folder / QueueFileName;
        std::set<ProcessStamp> Ended;
        WaitList Line { Folder / WaitListFileName,
            [this](const ProcessStamp& start) { return !Ended.contains(start); } };
        FakeProcesses Processes;
    };

    TEST_F(HandOverTurnTest, QueueFileThatCannotBeWrittenFailsAndSaysWhy)
    {
        FailingFileOps ops(FileStep::CreateExclusive, 1, EROFS);
        HandOverTurn turn = TurnOf(Me, MyList, ops);
        EXPECT_EQ(turn.Step(0), TurnOutcome::Failed);
        EXPECT_EQ(turn.Problem(),
            "Could not hand the list over through \"" + Queue + "\": " + std::strerror(EROFS) + ".");
        EXPECT_TRUE(Folder.Names().empty());
    }

    TEST_F(HandOverTurnTest, ARequestWaitingInTheQueueFileIsNeverReplaced)
    {
        WriteBytes(Queue, "/lists/older.agl\r\n");
        HandOverTurn turn = TurnOf(Me, MyList);
        EXPECT_EQ(turn.Step(0), TurnOutcome::Waiting);
        EXPECT_EQ(turn.Step(4999), TurnOutcome::Waiting);
        EXPECT_EQ(ReadBytes(Queue), "/lists/older.agl\r\n");
        EXPECT_EQ(turn.Step(5000), TurnOutcome::NoAnswer);
        EXPECT_EQ(turn.Problem(),
            "The running Agendrix did not answer within 5 seconds; \"" + MyList + "\" was not opened.");
        EXPECT_EQ(ReadBytes(Queue), "/lists/older.agl\r\n");
        EXPECT_TRUE(Line.Starts().empty());
    }

    TEST_F(HandOverTurnTest, AnUnansweredRequestIsTakenBackAfterFiveSecondsWithoutProgress)
    {
        for (const std::string& list : { MyList, std::string {} }) {
            HandOverTurn turn = TurnOf(Me, list);
            EXPECT_EQ(turn.Step(1000), TurnOutcome::Waiting);
            EXPECT_TRUE(FileExists(Queue));
            EXPECT_EQ(turn.Step(5999), TurnOutcome::Waiting);
            EXPECT_EQ(turn.Step(6000), TurnOutcome::NoAnswer);
            EXPECT_EQ(turn.Problem(),
                list.empty() ? "The running Agendrix did not answer within 5 seconds."
                             : "The running Agendrix did not answer within 5 seconds; \"" + list
                        + "\" was not opened.");
            EXPECT_TRUE(Folder.Names().empty()) << "the request and the wait list are gone";
        }
    }

    TEST_F(HandOverTurnTest, OnlyTheHeadPlacesItsRequestAndItIsHandedOverOnceTaken)
    {
        Line.Join(Earlier);
        Line.Join(Me);
        HandOverTurn turn = TurnOf(Me, MyList);
        EXPECT_EQ(turn.Step(0), TurnOutcome::Waiting);
        EXPECT_FALSE(FileExists(Queue));
        EXPECT_EQ(Processes.LockTries, 0);
        Line.Leave(Earlier, WaitList::Turn::Served);
        EXPECT_EQ(turn.Step(10), TurnOutcome::Waiting);
        EXPECT_EQ(ReadBytes(Queue), "/lists/mine.agl\r\n");
        EXPECT_EQ(turn.Step(20), TurnOutcome::Waiting);
        EXPECT_EQ(TakeQueueFile(Queue).value_or(QueueRequest {}).ListPath, MyList);
        EXPECT_EQ(turn.Step(30), TurnOutcome::HandedOver);
        EXPECT_TRUE(Folder.Names().empty());
    }

    TEST_F(HandOverTurnTest, AStartMadeEarlierThatHasNotJoinedYetGoesFirst)
    {
        Line.Join(Me);
        Processes.Recent = { Earlier, Me, Later };
        HandOverTurn turn = TurnOf(Me, MyList);
        EXPECT_EQ(turn.Step(0), TurnOutcome::Waiting);
        // Not even the instance lock: the earlier start may be the one to become the instance.
        EXPECT_EQ(Processes.LockTries, 0);
        EXPECT_FALSE(FileExists(Queue));
        Processes.Recent = { Me, Later };
        EXPECT_EQ(turn.Step(10), TurnOutcome::Waiting);
        EXPECT_EQ(ReadBytes(Queue), "/lists/mine.agl\r\n");
    }

    TEST_F(HandOverTurnTest, ServedTurnsAheadKeepAWaitingStartPatient)
    {
        const ProcessStamp first { 80, 2000 };
        for (const ProcessStamp& start : { first, Earlier, Me })
            Line.Join(start);
        HandOverTurn turn = TurnOf(Me, MyList);
        EXPECT_EQ(turn.Step(0), TurnOutcome::Waiting);
        Line.Leave(first, WaitList::Turn::Served);
        EXPECT_EQ(turn.Step(4000), TurnOutcome::Waiting);
        EXPECT_EQ(turn.Step(8999), TurnOutcome::Waiting);
        // A start ahead that gives up is no progress of the running instance.
        Line.Leave(Earlier, WaitList::Turn::GaveUp);
        Line.Join(Earlier);
        EXPECT_EQ(turn.Step(9000), TurnOutcome::NoAnswer);
        EXPECT_FALSE(FileExists(Queue));
        EXPECT_EQ(Line.Starts(), std::vector { Earlier });
    }

    TEST_F(HandOverTurnTest, AStartAheadThatEndedIsPassedOver)
    {
        Line.Join(Earlier);
        Line.Join(Me);
        Ended.insert(Earlier);
        HandOverTurn turn = TurnOf(Me, MyList);
        EXPECT_EQ(turn.Step(0), TurnOutcome::Waiting);
        EXPECT_TRUE(FileExists(Queue));
    }

    TEST_F(HandOverTurnTest, WithoutARunningInstanceTheHeadRunsAndDropsARequestLeftBehind)
    {
        Line.Join(Me);
        Line.Join(Later);
        WriteBytes(Queue, "/lists/left-by-a-start-that-is-gone.agl\r\n");
        Processes.LockFree = true;
        HandOverTurn turn = TurnOf(Me, MyList);
        EXPECT_EQ(turn.Step(0), TurnOutcome::Running);
        EXPECT_FALSE(FileExists(Queue));
        EXPECT_EQ(Line.Starts(), std::vector { Later });
        EXPECT_EQ(Line.Look(Later).Served, 1u) << "the start behind sees progress";
    }

    TEST_F(HandOverTurnTest, AnInstanceEndingBeforeItReadsTheRequestMakesThisStartRun)
    {
        HandOverTurn turn = TurnOf(Me, MyList);
        EXPECT_EQ(turn.Step(0), TurnOutcome::Waiting);
        EXPECT_TRUE(FileExists(Queue));
        Processes.LockFree = true;
        EXPECT_EQ(turn.Step(100), TurnOutcome::Running);
        EXPECT_TRUE(Folder.Names().empty());
    }

    TEST_F(HandOverTurnTest, AStartMissingFromTheListJoinsAgain)
    {
        Line.Join(Earlier);
        HandOverTurn turn = TurnOf(Me, MyList);
        EXPECT_EQ(turn.Step(0), TurnOutcome::Waiting);
        EXPECT_EQ(Line.Starts(), (std::vector { Earlier, Me }));
    }

    // Several starts in processes of their own, against this process as the running instance.
    class StartsInProcesses {
    public:
        explicit StartsInProcesses(const TempFolder& folder)
            : Folder(folder)
            , Lock(::open((folder / LockFileName).c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0600))
        {
            ::flock(Lock, LOCK_EX);
        }
        ~StartsInProcesses() { ::close(Lock); }

        // Starts a process that hands "/lists/N.agl" over after waiting `joinDelayMs`.
        void Start(int joinDelayMs)
        {
            const int index = static_cast<int>(Pids.size());
            const pid_t child = ::fork();
            if (child == 0)
                ::_exit(RunStart(index, joinDelayMs));
            Pids.push_back(child);
            Status.push_back(-1);
        }

        // Reads the queue file as the running instance does, until every start has ended.
        std::vector<std::string> ReadUntilAllEnded()
        {
            std::vector<std::string> arrived;
            for (std::size_t ended = 0; ended < Pids.size();) {
                if (const std::optional<QueueRequest> request = TakeQueueFile(Folder / QueueFileName))
                    arrived.push_back(request->ListPath);
                ended = 0;
                for (std::size_t i = 0; i < Pids.size(); ++i) {
                    if (Status[i] == -1 && ::waitpid(Pids[i], &Status[i], WNOHANG) != Pids[i])
                        Status[i] = -1;
                    ended += Status[i] != -1 ? 1 : 0;
                }
                ::usleep(1000);
            }
            return arrived;
        }

        std::vector<pid_t> Pids;
        std::vector<int> Status; // as waitpid gives it, -1 while running

    private:
        // The program's side of a start, as a child process: it sees the starts made before it
        // as the processes of this executable that they are.
        class ChildProcesses : public ProgramProcesses {
        public:
            ChildProcesses(std::string lock, std::vector<pid_t> earlier)
                : Lock(std::move(lock))
                , Earlier(std::move(earlier))
            {
            }
            bool TryInstanceLock() override
            {
                const int fd = ::open(Lock.c_str(), O_RDWR | O_CLOEXEC);
                return fd >= 0 && ::flock(fd, LOCK_EX | LOCK_NB) == 0;
            }
            std::vector<ProcessStamp> RecentStarts() override
            {
                std::vector<ProcessStamp> starts = ProcessesOf("/proc/self/exe", 0);
                std::erase_if(starts, [this](const ProcessStamp& start) {
                    return std::find(Earlier.begin(), Earlier.end(), start.Pid) == Earlier.end();
                });
                return starts;
            }

        private:
            std::string Lock;
            std::vector<pid_t> Earlier;
        };

        int RunStart(int index, int joinDelayMs)
        {
            ::usleep(static_cast<useconds_t>(joinDelayMs) * 1000);
            WaitList line(Folder / WaitListFileName);
            const ProcessStamp self = StampOf(::getpid());
            line.Join(self);
            ChildProcesses processes(Folder / LockFileName, Pids);
            HandOverTurn turn(
                line, self, Folder / QueueFileName, "/lists/" + std::to_string(index) + ".agl", processes);
            const auto begin = std::chrono::steady_clock::now();
            for (;;) {
                const auto now = std::chrono::steady_clock::now() - begin;
                const TurnOutcome outcome
                    = turn.Step(std::chrono::duration_cast<std::chrono::milliseconds>(now).count());
                if (outcome != TurnOutcome::Waiting)
                    return outcome == TurnOutcome::HandedOver ? 0 : 10 + static_cast<int>(outcome);
                ::usleep(2000);
            }
        }

        const TempFolder& Folder;
        int Lock;
    };

    TEST(HandOverTurnProcessTest, TenStartsArriveInTheOrderTheyWereMade)
    {
        TempFolder folder;
        StartsInProcesses starts(folder);
        // Each start joins the list later than the one made after it.
        for (int i = 0; i < 10; ++i)
            starts.Start((9 - i) * 20);
        std::vector<std::string> expected;
        for (int i = 0; i < 10; ++i)
            expected.push_back("/lists/" + std::to_string(i) + ".agl");
        EXPECT_EQ(starts.ReadUntilAllEnded(), expected);
        EXPECT_EQ(starts.Status, std::vector<int>(10, 0)) << "every start ends with 0, handed over";
        EXPECT_EQ(folder.Names(), std::vector { std::string(LockFileName) });
    }

    TEST(HandOverTurnProcessTest, AStartKilledWhileWaitingIsPassedOver)
    {
        TempFolder folder;
        StartsInProcesses starts(folder);
        for (int i = 0; i < 3; ++i)
            starts.Start(0);
        // The first request waits unread until all three wait; then the second start is killed.
        WaitList line(folder / WaitListFileName);
        for (int i = 0; i < 1000 && !(FileExists(folder / QueueFileName) && line.Starts().size() == 3); ++i)
            ::usleep(5000);
        ASSERT_EQ(line.Starts().size(), 3u);
        ::kill(starts.Pids[1], SIGKILL);
        EXPECT_EQ(starts.ReadUntilAllEnded(), (std::vector<std::string> { "/lists/0.agl", "/lists/2.agl" }));
        EXPECT_EQ(starts.Status[0], 0);
        EXPECT_TRUE(WIFSIGNALED(starts.Status[1]));
        EXPECT_EQ(starts.Status[2], 0);
    }

} // namespace
} // namespace agendrix
