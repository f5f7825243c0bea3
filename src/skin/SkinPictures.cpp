#include "SkinPictures.h"

#include "SkinFolder.h"

namespace agendrix {

bool SkinPictures::LoadSkin(const QString& programFolder, QString& skinPath)
{
    SkinFolder folder(programFolder, skinPath);
    bool whole = folder.HoldsFiles();
    if (!whole) {
        skinPath = QString::fromLatin1(DefaultSkinPath);
        folder = SkinFolder(programFolder, skinPath);
    }
    // Every picture is tried, whatever became of the ones before it.
    whole = folder.LoadPicture(QStringLiteral("main.bmp"), Main) && whole;
    whole = folder.LoadPicture(QStringLiteral("plamps.bmp"), Lamps) && whole;
    whole = folder.LoadPicture(QStringLiteral("buttons.bmp"), Buttons) && whole;
    whole = folder.LoadPicture(QStringLiteral("aniopen.bmp"), Animation) && whole;

    const auto colors = folder.ReadColorsFile();
    if (!colors)
        return whole;
    ApplySkinColors(
        *colors, SkinColorLines::ListWindowFirst, { &EditBackground, &ListText, &TitleText, &StatusText });
    ApplySkinColors(*colors, SkinColorLines::MenuFirst, { &Menu[0], &Menu[1], &Menu[2], &Menu[3] });
    return whole;
}

} // namespace agendrix
