#include "DesktopShell.h"

#include <QDesktopServices>
#include <QProcess>
#include <QStandardPaths>
#include <QUrl>

namespace agendrix {

void DesktopShell::OpenDocument(const std::string& path, const std::string& workingFolder)
{
    const QString file = QString::fromStdString(path);
    // The path goes as one argument, never through a shell.
    if (!QProcess::startDetached(QStringLiteral("xdg-open"), { file }, QString::fromStdString(workingFolder)))
        QDesktopServices::openUrl(QUrl::fromLocalFile(file));
}

std::optional<std::string> DesktopShell::FindProgram(const std::string& program) const
{
    const QString path = QStandardPaths::findExecutable(QString::fromStdString(program));
    if (path.isEmpty())
        return std::nullopt;
    return path.toStdString();
}

bool DesktopShell::StartProgram(const std::string& program, const std::vector<std::string>& arguments)
{
    QStringList list;
    for (const std::string& argument : arguments)
        list.append(QString::fromStdString(argument));
    return QProcess::startDetached(QString::fromStdString(program), list);
}

} // namespace agendrix
