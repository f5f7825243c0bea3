#pragma once

#include "model/FileAssociation.h"

#include <QString>
#include <QStringList>

namespace agendrix {

// Where the file associations of the current user are written, and where the program's icons
// are copied from.
struct AssociationPlaces {
    QString DataHome; // $XDG_DATA_HOME, by default ~/.local/share
    QString IconTheme; // the folder of the program's hicolor icons ("48x48/mimetypes/...")
};

// The places for the program in `executableFolder`: the data home the environment names, and
// the icons beside the program (a build tree) or in the share folder it is installed with.
AssociationPlaces DefaultAssociationPlaces(const QString& executableFolder);

// Registers file types with the desktop for the current user, the freedesktop way: a package of
// the shared MIME database, the icons in the hicolor theme, a desktop entry that opens the files
// and that entry as the default application of each type. A registry class stands behind the
// same calls on Windows.
//
// Nothing is raised: a step that fails is skipped, the next ones are still made, and each
// failure is written to standard error with its reason. Files that already hold the bytes they
// would get are left alone, so associating again changes nothing.
class cRegistry {
public:
    explicit cRegistry(AssociationPlaces places);

    // Registers one type so that opening a file of it starts `sExePath` (leading and trailing
    // blanks dropped) with the file as its only argument.
    void CreateEXEAssociation(const QString& sExePath, const FileTypeAssociation& type);

    // What failed so far, one sentence each that names the file or program and the reason.
    const QStringList& Failures() const { return Problems; }

private:
    void Fail(const QString& problem);
    // Writes `bytes` to `path` below the data home unless it holds them already.
    void Write(const QString& path, const std::string& bytes);
    // The program's icon and the type's, from the program's icon theme into the user's.
    void CopyIcons(const FileTypeAssociation& type);
    void CopyIcon(const QString& relativePath);
    void Run(const QString& program, const QStringList& arguments);

    AssociationPlaces Places;
    QStringList Problems;
};

// What the options dialog's Associate button does: task lists (.AGL) and completed task items
// (.CTI) open in the program at `exePath`. Returns the failures, already written to standard error.
QStringList AssociateFileTypes(const QString& exePath, const AssociationPlaces& places);

} // namespace agendrix
