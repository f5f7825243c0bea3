#include "RunInChild.h"

#include <cstdio>
#include <exception>
#include <sys/wait.h>
#include <unistd.h>

namespace agendrix::test {

std::string RunInChild(const std::function<std::string()>& check)
{
    int pipeEnds[2];
    if (::pipe(pipeEnds) != 0)
        return "pipe failed";
    std::fflush(nullptr); // nothing buffered may be written twice
    const pid_t child = ::fork();
    if (child == 0) {
        ::close(pipeEnds[0]);
        std::string report;
        try {
            report = check();
        } catch (const std::exception& error) {
            report = std::string("exception: ") + error.what();
        }
        // A report is far shorter than a pipe holds, so one write hands it on whole.
        [[maybe_unused]] const ssize_t written = ::write(pipeEnds[1], report.data(), report.size());
        ::_exit(0);
    }
    ::close(pipeEnds[1]);
    std::string report;
    char buffer[512];
    for (ssize_t got; child > 0 && (got = ::read(pipeEnds[0], buffer, sizeof buffer)) > 0;)
        report.append(buffer, static_cast<std::size_t>(got));
    ::close(pipeEnds[0]);
    int status = 0;
    if (child < 0 || ::waitpid(child, &status, 0) != child || !WIFEXITED(status) || WEXITSTATUS(status) != 0)
        return "the child process failed: " + report;
    return report;
}

} // namespace agendrix::test
