#include "SystemFactsQt.h"

#include "model/ListFile.h"
#include "model/Settings.h"
#include "skin/QtHelpers.h"

#include <QDir>
#include <QGuiApplication>
#include <QScreen>

namespace agendrix {

SystemFacts CurrentSystemFacts(const QString& programFolder, const std::string& skinPath)
{
    SystemFacts facts;
    facts.ProgramVersion = std::string(ProgramVersion);
    facts.QtVersion = qVersion();
    facts.Platform = QGuiApplication::platformName().toStdString();
    for (const QScreen* screen : QGuiApplication::screens()) {
        const QRect area = screen->geometry();
        facts.Screens.push_back(ScreenFacts { screen->name().toStdString(), area.x(), area.y(), area.width(),
            area.height(), screen->devicePixelRatio() });
    }
    facts.ProgramFolder = QDir::toNativeSeparators(programFolder).toStdString();
    facts.SettingsFile = QDir(programFolder).filePath(FromUtf8(SettingsFileName)).toStdString();
    facts.Skin = QDir::cleanPath(programFolder + QString::fromStdString(skinPath)).toStdString();
    return facts;
}

} // namespace agendrix
