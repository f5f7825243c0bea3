#include "QtSuites.h"

#include <QGuiApplication>

int main(int argc, char** argv)
{
    QGuiApplication application(argc, argv);
    int failures = RunSkinPicturesTests(argc, argv);
    failures += RunRegionFromPictureTests(argc, argv);
    failures += RunSurfacePainterTests(argc, argv);
    return failures == 0 ? 0 : 1;
}
