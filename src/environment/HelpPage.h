#pragma once

#include <QString>

namespace agendrix {

// The address Alt+T and the options dialog's Online button open: AGENDRIX_HOME_PAGE as the build
// was configured, or else `helpPage` as a file:// address.
QString HomePageAddress(const QString& helpPage);

// The program's help page (help/index.html): in the program folder when it has one, else beside
// the program (a build tree), else in the share folder of an installed program
// (../share/agendrix/help). When none exists, the path beside the program, for the message that
// says so.
QString FindHelpPage(const QString& programFolder, const QString& executableFolder);

} // namespace agendrix
