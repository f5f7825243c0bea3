#include "ProgramSetup.h"

#include "CommandLine.h"

#include "model/FileAccess.h"
#include "model/ListDocument.h"
#include "model/ProgramFolder.h"
#include "model/WebPage.h"
#include "model/WindowPlacement.h"
#include "skin/QtHelpers.h"

#include <QDir>
#include <QDirIterator>
#include <QGuiApplication>
#include <QScreen>

#include <cerrno>
#include <cstdio>
#include <filesystem>

namespace agendrix {

namespace {

    std::string Environment(const char* name) { return qEnvironmentVariable(name).toStdString(); }

    // Copies a shipped folder into the program folder, leaving files the user already has.
    void Seed(const QString& from, const QString& to)
    {
        QDirIterator files(from, QDir::Files, QDirIterator::Subdirectories);
        while (files.hasNext()) {
            const QString source = files.next();
            const QString target = QDir(to).filePath(QDir(from).relativeFilePath(source));
            QDir().mkpath(QFileInfo(target).path());
            if (!QFile::exists(target))
                QFile::copy(source, target);
        }
    }

    // The screens' work areas, the primary screen first.
    std::vector<ScreenArea> DesktopScreens()
    {
        QList<QScreen*> screens = QGuiApplication::screens();
        if (QScreen* primary = QGuiApplication::primaryScreen()) {
            screens.removeAll(primary);
            screens.prepend(primary);
        }
        std::vector<ScreenArea> areas;
        for (const QScreen* screen : screens) {
            const QRect area = screen->availableGeometry();
            areas.push_back(ScreenArea { static_cast<double>(area.x()), static_cast<double>(area.y()),
                static_cast<double>(area.width()), static_cast<double>(area.height()) });
        }
        return areas;
    }

    // Lines that could not be read get their defaults and are written so at exit: the file as
    // it was is kept beside it first, and the user is told once.
    void KeepUnreadableSettings(
        const std::string& path, const std::string& bytes, const std::vector<int>& badLines)
    {
        const std::string backup = path + ".bak";
        const FileError error = SaveFileAtomically(backup, bytes);
        const int backupError
            = error.Message.empty() ? 0 : (error.ErrorNumber != 0 ? error.ErrorNumber : EIO);
        std::fprintf(
            stderr, "agendrix: %s\n", UnreadableSettingsMessage(path, badLines, backup, backupError).c_str());
    }

} // namespace

std::string ExecutableFolder(const char* argv0)
{
    std::error_code error;
    std::filesystem::path executable = std::filesystem::read_symlink("/proc/self/exe", error);
    if (error)
        executable = std::filesystem::absolute(argv0, error);
    return executable.parent_path().string();
}

std::string ProgramFolderFor(const std::string& executableFolder)
{
    const std::string folder = FindProgramFolder(ProgramFolderInputs {
        Environment("AGENDRIX_HOME"), executableFolder, Environment("XDG_DATA_HOME"), Environment("HOME") });
    std::error_code ignored; // a folder that cannot be made is reported by the first file in it
    std::filesystem::create_directories(folder, ignored);
    return folder;
}

QString PrepareProgramFolder(const QString& executableFolder)
{
    const QString programFolder = QString::fromStdString(ProgramFolderFor(executableFolder.toStdString()));
    // The skins, the help pages and the web page template come with the program: beside it in
    // a build tree, in the share folder when installed. A program folder elsewhere gets a copy of
    // those it lacks; a template the user has edited is kept.
    if (programFolder != executableFolder) {
        const QString pageTemplate = FromUtf8(PageTemplateFileName);
        for (const QString& shipped :
            { executableFolder, QDir(executableFolder).filePath(QStringLiteral("../share/agendrix")) }) {
            const QDir folder(shipped);
            for (const QString& subfolder : { QStringLiteral("Skins"), QStringLiteral("help") }) {
                if (folder.exists(subfolder))
                    Seed(folder.filePath(subfolder), QDir(programFolder).filePath(subfolder));
            }
            const QString target = QDir(programFolder).filePath(pageTemplate);
            if (folder.exists(pageTemplate) && !QFile::exists(target))
                QFile::copy(folder.filePath(pageTemplate), target);
        }
    }
    return programFolder;
}

Settings LoadSettings(const QString& programFolder)
{
    ScreenMetrics screen;
    if (const QScreen* primary = QGuiApplication::primaryScreen()) {
        screen.TwipsPerPix = 1440.0 / primary->logicalDotsPerInchX();
        screen.ScreenHeightPixels = primary->geometry().height();
    }
    const Settings defaults = DefaultSettings(screen);
    const std::string path = QDir(programFolder).filePath(FromUtf8(SettingsFileName)).toStdString();
    const ReadResult read = ReadWholeFile(path);
    if (read.What == ReadResult::Status::Failed)
        std::fprintf(stderr, "agendrix: %s\n", read.Error.Message.c_str());
    if (read.What != ReadResult::Status::Read)
        return FitToScreens(defaults, DesktopScreens(), screen.TwipsPerPix);
    const SettingsReadResult result = LoadINI(read.Bytes, defaults);
    if (!result.BadLines.empty())
        KeepUnreadableSettings(path, read.Bytes, result.BadLines);
    return FitToScreens(result.Values, DesktopScreens(), screen.TwipsPerPix);
}

std::unique_ptr<ListPreload> PreloadFirstList(
    const std::string& programFolder, const std::vector<std::string>& arguments, const DateTime& now)
{
    std::error_code error; // no working folder: only an absolute path on the command line counts
    const StartRequest request = ParseCommandLine(arguments, std::filesystem::current_path(error).string());
    // Neither the list nor the days per level depends on the screen, which is not known yet.
    Settings settings = DefaultSettings(ScreenMetrics {});
    const ReadResult read = ReadWholeFile(programFolder + "/" + std::string(SettingsFileName));
    if (read.What == ReadResult::Status::Read)
        settings = LoadINI(read.Bytes, settings).Values;
    // A list that was never saved has no file to read.
    const std::string listName = FirstListName(settings, request.ListPath);
    if (!HasBeenSaved(listName))
        return nullptr;
    return std::make_unique<ListPreload>(ListPreload::Request { listName, now, settings.DaysPerLevel });
}

} // namespace agendrix
