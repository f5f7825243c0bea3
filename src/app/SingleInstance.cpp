#include "SingleInstance.h"

#include "model/HandOverTurn.h"
#include "model/ProgramFolder.h"
#include "model/Settings.h"

#include <QElapsedTimer>
#include <QSysInfo>
#include <QThread>

#include <cerrno>
#include <csignal>
#include <ctime>
#include <unistd.h>

namespace agendrix {

namespace {
    // How often a waiting start looks again, in ms: short next to the running instance's
    // reaction to a request, long enough to leave the processor to it.
    constexpr unsigned long LookAgainMs = 20;
    // A start reaches its place in the wait list well within this time, in seconds, even when
    // many start at once on a busy machine; an older process of the program is not one on its way.
    constexpr unsigned long long StartingUpSeconds = 3;

    // Now, in the clock ticks from boot in which /proc gives the start of a process.
    unsigned long long TicksSinceBoot()
    {
        timespec now {};
        ::clock_gettime(CLOCK_BOOTTIME, &now);
        const auto ticksPerSecond = static_cast<unsigned long long>(::sysconf(_SC_CLK_TCK));
        return static_cast<unsigned long long>(now.tv_sec) * ticksPerSecond
            + static_cast<unsigned long long>(now.tv_nsec) * ticksPerSecond / 1000000000ULL;
    }

    std::string InFolder(const std::string& folder, std::string_view name)
    {
        return folder + "/" + std::string(name);
    }
} // namespace

SingleInstance::SingleInstance(const std::string& programFolder)
    : Folder(programFolder)
    , Lock(std::make_unique<QLockFile>(QString::fromStdString(InFolder(programFolder, LockFileName))))
    , Queue(InFolder(programFolder, QueueFileName))
    , Line(InFolder(programFolder, WaitListFileName))
    , Self(StampOf(::getpid()))
{
    // Age alone never makes the lock stale: a running instance may run for weeks. A lock whose
    // process is gone is still reclaimed, as QLockFile checks the owner's process id.
    Lock->setStaleLockTime(0);
    // A failure shows when this start takes its turn, which joins again and reports it.
    Line.Join(Self);
}

SingleInstance::~SingleInstance() { Line.Leave(Self, WaitList::Turn::GaveUp); }

StartRole SingleInstance::Claim(const StartRequest& request)
{
    if (request.Kind == StartKind::Refresh) {
        Line.Leave(Self, WaitList::Turn::Served);
        Lock->tryLock(0);
        return StartRole::Running;
    }
    HandOverTurn turn(Line, Self, Queue, request.ListPath, *this);
    QElapsedTimer clock;
    clock.start();
    for (;;) {
        switch (turn.Step(clock.elapsed())) {
        case TurnOutcome::Waiting:
            QThread::msleep(LookAgainMs);
            continue;
        case TurnOutcome::Running:
            return StartRole::Running;
        case TurnOutcome::HandedOver:
            return StartRole::HandedOver;
        case TurnOutcome::NoAnswer:
        case TurnOutcome::Failed:
            break;
        }
        Message = turn.Problem();
        return StartRole::NotHandedOver;
    }
}

bool SingleInstance::HeldElsewhere() const
{
    qint64 holder = 0;
    QString host;
    QString application;
    if (!Lock->getLockInfo(&holder, &host, &application) || holder <= 0)
        return false;
    // A process of another machine (a program folder on a network drive) cannot be looked at.
    if (host != QSysInfo::machineHostName())
        return true;
    return ::kill(static_cast<pid_t>(holder), 0) == 0 || errno == EPERM;
}

bool SingleInstance::TryInstanceLock() { return Lock->tryLock(0); }

// Processes of this executable that serve another program folder (another AGENDRIX_HOME) are
// none of this start's business, nor is the running instance; one whose folder cannot be told
// yet may be a start of this folder.
std::vector<ProcessStamp> SingleInstance::RecentStarts()
{
    const unsigned long long now = TicksSinceBoot();
    const unsigned long long window
        = StartingUpSeconds * static_cast<unsigned long long>(::sysconf(_SC_CLK_TCK));
    std::vector<ProcessStamp> starts = ProcessesOf("/proc/self/exe", now > window ? now - window : 0);
    qint64 instance = 0;
    QString host;
    QString application;
    if (!Lock->getLockInfo(&instance, &host, &application))
        instance = 0;
    std::erase_if(starts, [this, instance](const ProcessStamp& start) {
        const std::optional<std::string> folder = ProgramFolderOfProcess(start.Pid);
        return start.Pid == instance || (folder && *folder != Folder);
    });
    return starts;
}

} // namespace agendrix
