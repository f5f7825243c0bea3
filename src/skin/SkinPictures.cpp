#include "SkinPictures.h"

#include "SkinFolder.h"

namespace agendrix {

void SkinPictures::LoadSkin(const QString& programFolder, QString& skinPath)
{
    SkinFolder folder(programFolder, skinPath);
    if (!folder.HoldsFiles()) {
        skinPath = QString::fromLatin1(DefaultSkinPath);
        folder = SkinFolder(programFolder, skinPath);
    }
    folder.LoadPicture(QStringLiteral("main.bmp"), Main);
    folder.LoadPicture(QStringLiteral("plamps.bmp"), Lamps);
    folder.LoadPicture(QStringLiteral("buttons.bmp"), Buttons);
    folder.LoadPicture(QStringLiteral("aniopen.bmp"), Animation);

    const auto colors = folder.ReadColorsFile();
    if (!colors)
        return;
    ApplySkinColors(
        *colors, SkinColorLines::ListWindowFirst, { &EditBackground, &ListText, &TitleText, &StatusText });
    ApplySkinColors(*colors, SkinColorLines::MenuFirst, { &Menu[0], &Menu[1], &Menu[2], &Menu[3] });
}

} // namespace agendrix
