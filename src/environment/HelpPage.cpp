#include "HelpPage.h"

#include <QDir>
#include <QFileInfo>
#include <QUrl>

namespace agendrix {

QString HomePageAddress(const QString& helpPage)
{
    const QString configured = QStringLiteral(AGENDRIX_HOME_PAGE);
    return configured.isEmpty() ? QUrl::fromLocalFile(helpPage).toString() : configured;
}

QString FindHelpPage(const QString& programFolder, const QString& executableFolder)
{
    const QString page = QStringLiteral("help/index.html");
    const QString besideProgram = QDir(executableFolder).filePath(page);
    for (const QString& candidate : { QDir(programFolder).filePath(page), besideProgram,
             QDir(executableFolder).filePath(QStringLiteral("../share/agendrix/") + page) }) {
        if (QFileInfo(candidate).isFile())
            return QDir::cleanPath(candidate);
    }
    return besideProgram;
}

} // namespace agendrix
