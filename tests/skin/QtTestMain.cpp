#include "QtSuites.h"

#include <QGuiApplication>

int main(int argc, char** argv)
{
    // The skin needs pictures and fonts, never widgets: a GUI application is all it gets.
    QGuiApplication application(argc, argv);
    int failures = RunSkinPicturesTests(argc, argv);
    failures += RunRegionFromPictureTests(argc, argv);
    failures += RunQtHelpersTests(argc, argv);
    return failures == 0 ? 0 : 1;
}
