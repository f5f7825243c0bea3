#pragma once

#include <QObject>

class QSocketNotifier;

namespace agendrix {

// Turns SIGTERM, SIGINT and SIGHUP into a Qt signal on the user-interface thread, so that the
// program closes the normal way (save question, settings written) instead of dying.
class SignalBridge : public QObject {
    Q_OBJECT
public:
    explicit SignalBridge(QObject* parent = nullptr);
    ~SignalBridge() override;

signals:
    void CloseRequested();

private:
    QSocketNotifier* Notifier = nullptr;
};

} // namespace agendrix
