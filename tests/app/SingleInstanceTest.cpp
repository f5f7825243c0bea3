#include "app/SingleInstance.h"

#include "model/FileAccess.h"
#include "model/Settings.h"
#include "skin/QtHelpers.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QLockFile>
#include <QTemporaryDir>

#include <functional>
#include <sys/wait.h>
#include <unistd.h>

namespace agendrix {
namespace {

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
    std::string LockFileOf(const QString& folder, qint64 pid, const QString& host)
    {
        const QString path = QDir(folder).filePath(QStringLiteral("model.lock"));
        QLockFile model(path);
        model.tryLock(0);
        const std::string written = ReadWholeFile(path.toStdString()).Bytes;
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

    TEST(SingleInstanceTest, HeldElsewhereOnlyByARunningProcess)
    {
        const QString here = QSysInfo::machineHostName();
        const struct {
            const char* Name;
            std::function<void(const QString& folder, const std::string& lockPath)> Prepare;
            bool Held;
        } cases[] = {
            { "unreadableLock",
                [](const QString&, const std::string& lockPath) { SaveFileAtomically(lockPath, "junk\n"); },
                false },
            { "noLock", [](const QString&, const std::string&) {}, false },
            { "endedProcess",
                [&](const QString& folder, const std::string& lockPath) {
                    SaveFileAtomically(lockPath, LockFileOf(folder, EndedProcess(), here));
                },
                false },
            { "runningProcess",
                [&](const QString& folder, const std::string& lockPath) {
                    SaveFileAtomically(lockPath, LockFileOf(folder, ::getppid(), here));
                },
                true },
            { "processOfAnotherMachine",
                [](const QString& folder, const std::string& lockPath) {
                    SaveFileAtomically(
                        lockPath, LockFileOf(folder, EndedProcess(), QStringLiteral("elsewhere")));
                },
                true },
        };
        for (const auto& c : cases) {
            QTemporaryDir folder;
            const std::string lockPath = QDir(folder.path()).filePath(FromUtf8(LockFileName)).toStdString();
            c.Prepare(folder.path(), lockPath);
            const SingleInstance instance(folder.path().toStdString());
            EXPECT_EQ(instance.HeldElsewhere(), c.Held) << c.Name;
        }
    }

} // namespace
} // namespace agendrix
