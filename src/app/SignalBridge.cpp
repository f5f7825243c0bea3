#include "SignalBridge.h"

#include <QSocketNotifier>

#include <csignal>
#include <sys/socket.h>
#include <unistd.h>

namespace agendrix {

namespace {
    int Pipe[2] = { -1, -1 };

    // Only async-signal-safe work here: the signal's number down the pipe, as one byte.
    void OnSignal(int signal)
    {
        const char byte = static_cast<char>(signal);
        [[maybe_unused]] const ssize_t written = ::write(Pipe[0], &byte, 1);
    }
} // namespace

SignalBridge::SignalBridge(QObject* parent)
    : QObject(parent)
{
    if (::socketpair(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0, Pipe) != 0)
        return;
    Notifier = new QSocketNotifier(Pipe[1], QSocketNotifier::Read, this);
    connect(Notifier, &QSocketNotifier::activated, this, [this] {
        char byte = 0;
        if (::read(Pipe[1], &byte, 1) != 1)
            return;
        if (byte == SIGINT)
            emit Interrupted();
        else
            emit TerminationRequested();
    });
    struct sigaction action { };
    action.sa_handler = OnSignal;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    for (const int signal : { SIGTERM, SIGINT, SIGHUP })
        ::sigaction(signal, &action, nullptr);
}

SignalBridge::~SignalBridge()
{
    for (const int signal : { SIGTERM, SIGINT, SIGHUP })
        std::signal(signal, SIG_DFL);
}

} // namespace agendrix
