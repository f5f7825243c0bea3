#pragma once

// The Qt Test suites of the list window, run one after another by one executable.
int RunSurfacePainterTests(int argc, char** argv);
int RunListWindowTests(int argc, char** argv);
int RunListWindowRowsTests(int argc, char** argv);
int RunListWindowSafetyTests(int argc, char** argv);
int RunQueueCheckTests(int argc, char** argv);
int RunListWindowStartTests(int argc, char** argv);
int RunListWindowSidebarTests(int argc, char** argv);
int RunListIndexTests(int argc, char** argv);
int RunListWindowExportTests(int argc, char** argv);
int RunListWindowPrintTests(int argc, char** argv);
int RunListWindowImportTests(int argc, char** argv);
int RunListWindowEnvironmentTests(int argc, char** argv);
int RunListWindowMenuCommandsTests(int argc, char** argv);
int RunRemotePanelTests(int argc, char** argv);
