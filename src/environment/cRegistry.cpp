#include "cRegistry.h"

#include "model/FileAccess.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QStandardPaths>

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <system_error>

namespace agendrix {

namespace {

    QString FromStd(const std::string& text) { return QString::fromStdString(text); }

    // Each tool gets this long; they read and write a few small files.
    constexpr int ToolTimeoutMs = 30000;

    // The sizes the icon theme holds and the skin generator draws, in pixels a side.
    constexpr int IconSizes[] = { 16, 22, 24, 32, 48, 64, 128, 256 };

    QStringList IconFiles(const QString& name, const QString& context)
    {
        QStringList files;
        for (int size : IconSizes)
            files << QStringLiteral("%1x%1/%2/%3.png").arg(size).arg(context, name);
        files << QStringLiteral("scalable/%1/%2.svg").arg(context, name);
        return files;
    }

    // The desktop entry names every type of the program, and any other type registered with it.
    std::vector<FileTypeAssociation> DesktopEntryTypes(const FileTypeAssociation& type)
    {
        std::vector<FileTypeAssociation> types = ProgramFileTypes();
        if (std::none_of(
                types.begin(), types.end(), [&](const auto& t) { return t.MimeType == type.MimeType; }))
            types.push_back(type);
        return types;
    }

} // namespace

AssociationPlaces DefaultAssociationPlaces(const QString& executableFolder)
{
    const QDir beside(executableFolder);
    const QString inBuildTree = beside.filePath(QStringLiteral("icons/hicolor"));
    const QString installed = QDir::cleanPath(beside.filePath(QStringLiteral("../share/icons/hicolor")));
    return { QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation),
        QFileInfo(inBuildTree).isDir() ? inBuildTree : installed };
}

cRegistry::cRegistry(AssociationPlaces places)
    : Places(std::move(places))
{
}

void cRegistry::CreateEXEAssociation(const QString& sExePath, const FileTypeAssociation& type)
{
    const QString exePath = sExePath.trimmed();
    const QDir data(Places.DataHome);
    Write(data.filePath(QStringLiteral("mime/packages/") + FromStd(MimePackageName(type))),
        MimePackageXml(type));
    Run(QStringLiteral("update-mime-database"), { data.filePath(QStringLiteral("mime")) });
    CopyIcons(type);
    const QString entryName = FromStd(std::string(DesktopEntryName));
    if (const auto entry = DesktopEntryText(exePath.toStdString(), DesktopEntryTypes(type)))
        Write(data.filePath(QStringLiteral("applications/") + entryName), *entry);
    else
        Fail(QStringLiteral("The program's path \"%1\" cannot be written in a desktop entry: it holds a "
                            "control character.")
                 .arg(exePath));
    Run(QStringLiteral("update-desktop-database"), { data.filePath(QStringLiteral("applications")) });
    Run(QStringLiteral("xdg-mime"), { QStringLiteral("default"), entryName, FromStd(type.MimeType) });
}

void cRegistry::Fail(const QString& problem)
{
    Problems << problem;
    std::fprintf(stderr, "agendrix: %s\n", problem.toLocal8Bit().constData());
}

void cRegistry::Write(const QString& path, const std::string& bytes)
{
    const ReadResult old = ReadWholeFile(path.toStdString());
    if (old.What == ReadResult::Status::Read && old.Bytes == bytes)
        return;
    std::error_code error;
    std::filesystem::create_directories(QFileInfo(path).path().toStdString(), error);
    if (error) {
        Fail(QStringLiteral("Could not create the folder %1: %2.")
                 .arg(QFileInfo(path).path(), QString::fromLocal8Bit(error.message())));
        return;
    }
    const FileError written = SaveFileAtomically(path.toStdString(), bytes);
    if (!written.Message.empty())
        Fail(FromStd(written.Message));
}

void cRegistry::CopyIcons(const FileTypeAssociation& type)
{
    if (!QFileInfo(Places.IconTheme).isDir()) {
        Fail(QStringLiteral("The program's icons were not found in %1.").arg(Places.IconTheme));
        return;
    }
    QStringList icons = IconFiles(FromStd(std::string(ProgramIconName)), QStringLiteral("apps"));
    if (type.DefaultIconIndex > -1)
        icons << IconFiles(FromStd(MimeIconName(type.MimeType)), QStringLiteral("mimetypes"));
    for (const QString& icon : icons)
        CopyIcon(icon);
}

void cRegistry::CopyIcon(const QString& relativePath)
{
    const QString source = QDir(Places.IconTheme).filePath(relativePath);
    const ReadResult icon = ReadWholeFile(source.toStdString());
    if (icon.What == ReadResult::Status::Read)
        Write(QDir(Places.DataHome).filePath(QStringLiteral("icons/hicolor/") + relativePath), icon.Bytes);
    else
        Fail(icon.What == ReadResult::Status::Missing ? QStringLiteral("The icon %1 is missing.").arg(source)
                                                      : FromStd(icon.Error.Message));
}

void cRegistry::Run(const QString& program, const QStringList& arguments)
{
    QProcess process;
    process.setProgram(program);
    process.setArguments(arguments);
    process.setStandardInputFile(QProcess::nullDevice());
    process.start();
    const QString command = program + QLatin1Char(' ') + arguments.join(QLatin1Char(' '));
    if (!process.waitForFinished(ToolTimeoutMs)) {
        const QString reason = process.error() == QProcess::FailedToStart
            ? QStringLiteral("could not be started (%1)").arg(process.errorString())
            : QStringLiteral("did not finish within %1 seconds").arg(ToolTimeoutMs / 1000);
        process.kill();
        process.waitForFinished();
        Fail(QStringLiteral("%1 %2.").arg(command, reason));
        return;
    }
    if (process.exitStatus() != QProcess::NormalExit || process.exitCode() != 0) {
        const QString said = QString::fromLocal8Bit(process.readAllStandardError()).trimmed();
        Fail(QStringLiteral("%1 ended with status %2%3")
                 .arg(command)
                 .arg(process.exitCode())
                 .arg(said.isEmpty() ? QStringLiteral(".") : QStringLiteral(": ") + said));
    }
}

QStringList AssociateFileTypes(const QString& exePath, const AssociationPlaces& places)
{
    cRegistry registry(places);
    for (const FileTypeAssociation& type : ProgramFileTypes())
        registry.CreateEXEAssociation(exePath, type);
    return registry.Failures();
}

} // namespace agendrix
