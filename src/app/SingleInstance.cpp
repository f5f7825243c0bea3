#include "SingleInstance.h"

#include "model/QueueFile.h"
#include "model/Settings.h"

#include <QDir>
#include <QElapsedTimer>
#include <QThread>

namespace agendrix {

namespace {
    // How long a second start waits to see its request picked up: a few queue checks.
    constexpr int PickUpWaitMs = 5000;
} // namespace

SingleInstance::SingleInstance(const QString& programFolder)
    : Lock(std::make_unique<QLockFile>(QDir(programFolder).filePath(QStringLiteral("agendrix.lock"))))
    , Queue(QDir(programFolder)
                .filePath(QString::fromUtf8(QueueFileName.data(), static_cast<int>(QueueFileName.size()))))
{
    // Age alone never makes the lock stale: a running instance may run for weeks. A lock whose
    // process is gone is still reclaimed, as QLockFile checks the owner's process id.
    Lock->setStaleLockTime(0);
}

StartRole SingleInstance::Claim(const std::string& listPath)
{
    if (Lock->tryLock(0))
        return StartRole::Running;
    if (!WriteQueueFile(Queue.toStdString(), listPath).Message.empty())
        return Lock->tryLock(PickUpWaitMs) ? StartRole::Running : StartRole::HandedOver;
    if (WaitForPickUp())
        return StartRole::HandedOver;
    TakeQueueFile(Queue.toStdString());
    return StartRole::Running;
}

bool SingleInstance::WaitForPickUp()
{
    QElapsedTimer waited;
    waited.start();
    while (waited.elapsed() < PickUpWaitMs) {
        if (!QFile::exists(Queue))
            return true;
        if (Lock->tryLock(0)) {
            // The running instance is gone and our request is still unread: this start becomes
            // the running instance and opens the list itself.
            return false;
        }
        QThread::msleep(50);
    }
    // Nobody read it: the running instance is stuck; leave the request for when it recovers.
    return true;
}

} // namespace agendrix
