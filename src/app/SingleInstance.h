#pragma once

#include <QLockFile>
#include <QString>

#include <memory>
#include <string>

namespace agendrix {

enum class StartRole { Running, HandedOver };

// One running instance per program folder, held by a lock file that a crashed instance leaves
// stale and the next start reclaims. A second start writes its list path to the queue file,
// which the running instance reads within 600 ms.
class SingleInstance {
public:
    explicit SingleInstance(const QString& programFolder);

    // Becomes the running instance, or hands `listPath` over and returns HandedOver. When the
    // running instance closes before it reads the request, this start becomes the running
    // instance and takes the request back, so that no request is lost.
    StartRole Claim(const std::string& listPath);

    QString QueuePath() const { return Queue; }
    // Lets the next start be the running instance; for a program about to end without unwinding.
    void Release() { Lock->unlock(); }

private:
    bool WaitForPickUp();

    std::unique_ptr<QLockFile> Lock;
    QString Queue;
};

} // namespace agendrix
