#include "DockTabSkin.h"

#include "RegionFromPicture.h"
#include "SkinFolder.h"

namespace agendrix {

void DockTabSkin::LoadSkin(const QString& programFolder, const QString& skinPath)
{
    if (SkinFolder(programFolder, skinPath).LoadPicture(QStringLiteral("bar.bmp"), Bar))
        Shape = RegionFromPicture(Bar, KeyColor);
}

} // namespace agendrix
