#include "DesktopShell.h"

#include <QDesktopServices>
#include <QProcess>
#include <QUrl>

namespace agendrix {

void DesktopShell::OpenDocument(const std::string& path, const std::string& workingFolder)
{
    const QString file = QString::fromStdString(path);
    // The path goes as one argument, never through a shell.
    if (!QProcess::startDetached(QStringLiteral("xdg-open"), { file }, QString::fromStdString(workingFolder)))
        QDesktopServices::openUrl(QUrl::fromLocalFile(file));
}

} // namespace agendrix
