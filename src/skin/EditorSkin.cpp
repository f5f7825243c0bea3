#include "EditorSkin.h"

#include "SkinFolder.h"
#include "skin/SkinColors.h"

namespace agendrix {

void EditorSkin::LoadSkin(const QString& programFolder, const QString& skinPath)
{
    const SkinFolder folder(programFolder, skinPath);
    folder.LoadPicture(QStringLiteral("taskedit.bmp"), Background);
    folder.LoadPicture(QStringLiteral("editbtns.bmp"), Buttons);
    if (const auto colors = folder.ReadColorsFile())
        ApplySkinColors(*colors, SkinColorLines::EditorFirst, { &FieldBackground, &FieldText });
}

} // namespace agendrix
