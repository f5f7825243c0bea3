#pragma once

#include <QObject>

class QSocketNotifier;

namespace agendrix {

// Turns SIGINT, SIGTERM and SIGHUP into Qt signals on the user-interface thread. SIGINT (Ctrl+C
// in a terminal) closes the program the normal way, with the save question; SIGTERM and SIGHUP
// come from a logout or a shutdown, which wait for nobody: the program must end at once
// without losing the changes.
class SignalBridge : public QObject {
    Q_OBJECT
public:
    explicit SignalBridge(QObject* parent = nullptr);
    ~SignalBridge() override;

signals:
    void Interrupted();
    void TerminationRequested();

private:
    QSocketNotifier* Notifier = nullptr;
};

} // namespace agendrix
