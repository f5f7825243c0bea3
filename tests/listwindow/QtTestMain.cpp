#include "QtSuites.h"

#include <QApplication>

int main(int argc, char** argv)
{
    QApplication application(argc, argv);
    int failures = RunSurfacePainterTests(argc, argv);
    failures += RunListWindowTests(argc, argv);
    failures += RunListWindowRowsTests(argc, argv);
    failures += RunListWindowSafetyTests(argc, argv);
    failures += RunQueueCheckTests(argc, argv);
    failures += RunListWindowStartTests(argc, argv);
    failures += RunListWindowSidebarTests(argc, argv);
    failures += RunListIndexTests(argc, argv);
    failures += RunListWindowExportTests(argc, argv);
    failures += RunListWindowPrintTests(argc, argv);
    failures += RunListWindowImportTests(argc, argv);
    failures += RunListWindowEnvironmentTests(argc, argv);
    failures += RunListWindowMenuCommandsTests(argc, argv);
    failures += RunRemotePanelTests(argc, argv);
    return failures == 0 ? 0 : 1;
}
