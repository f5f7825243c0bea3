#include "SkinSet.h"

#include "DialogArt.h"
#include "ListWindowArt.h"

namespace agendrix::skins {

std::string ColorsText(const Theme& theme)
{
    // The list window's four colours and the editor's two come first, as every skin has them;
    // the context menu's four follow.
    const Rgb colours[] = {
        theme.EditBack,
        theme.ListText,
        theme.TitleText,
        theme.StatusText,
        theme.FieldBack,
        theme.FieldText,
        theme.MenuBack,
        theme.MenuText,
        theme.MenuHighlightBack,
        theme.MenuHighlightText,
    };
    std::string text;
    for (const Rgb& c : colours)
        for (int component : { c.R, c.G, c.B })
            text += std::to_string(component) + "\r\n";
    return text;
}

std::map<std::string, std::vector<std::uint8_t>> SkinFiles(const Theme& theme)
{
    std::map<std::string, std::vector<std::uint8_t>> files;
    files["main.bmp"] = MainBitmap(theme).BmpBytes();
    files["plamps.bmp"] = LampBitmap(theme).BmpBytes();
    files["buttons.bmp"] = ButtonBitmap(theme).BmpBytes();
    files["aniopen.bmp"] = ControlBarBitmap(theme).BmpBytes();
    files["taskedit.bmp"] = EditorBackground(theme).BmpBytes();
    files["editbtns.bmp"] = EditorButtons(theme).BmpBytes();
    files["remote.bmp"] = RemoteBackground(theme).BmpBytes();
    files["remtbtns.bmp"] = RemoteButtons(theme).BmpBytes();
    files["bar.bmp"] = DragTab(theme).BmpBytes();
    const std::string colors = ColorsText(theme);
    files["colors.txt"] = std::vector<std::uint8_t>(colors.begin(), colors.end());
    return files;
}

} // namespace agendrix::skins
