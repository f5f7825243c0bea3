#include "Theme.h"

namespace agendrix::skins {

namespace {

    // Light silver with a blue title bar.
    Theme DefaultTheme()
    {
        Theme t;
        t.Name = "Default";
        t.Outline = { 84, 100, 128 };
        t.Rail = { 214, 221, 232 };
        t.RailLight = { 244, 247, 251 };
        t.RailShadow = { 170, 182, 202 };
        t.Well = { 146, 160, 186 };

        t.TitleTop = { 88, 130, 198 };
        t.TitleBottom = { 44, 78, 142 };
        t.TitleGloss = { 168, 198, 238 };
        t.TitleEdge = { 40, 66, 116 };
        t.TitleText = { 255, 255, 255 };
        t.TitleTextDim = { 160, 184, 222 };
        t.ShelfTop = { 238, 242, 248 };
        t.ShelfBottom = { 220, 227, 238 };

        t.ListTop = { 253, 254, 255 };
        t.ListBottom = { 242, 246, 251 };
        t.Rule = { 218, 225, 236 };
        t.ListText = { 26, 34, 50 };
        t.InfoBack = { 250, 248, 236 };
        t.InfoEdge = { 186, 180, 150 };
        t.InfoLight = { 255, 255, 255 };

        t.StatusTop = { 230, 235, 243 };
        t.StatusBottom = { 204, 213, 228 };
        t.StatusWell = { 238, 242, 248 };
        t.StatusText = { 38, 52, 78 };

        t.Groove = { 196, 205, 220 };
        t.GrooveDark = { 150, 162, 186 };
        t.GrooveLight = { 246, 248, 252 };

        t.ButtonTop = { 255, 255, 255 };
        t.ButtonBottom = { 218, 225, 237 };
        t.ButtonOutline = { 124, 140, 168 };
        t.ButtonGloss = { 255, 255, 255 };
        t.HoverTop = { 252, 254, 255 };
        t.HoverBottom = { 196, 218, 248 };
        t.HoverOutline = { 74, 122, 200 };
        t.PressedTop = { 184, 198, 222 };
        t.PressedBottom = { 222, 230, 242 };
        t.Glyph = { 48, 62, 90 };
        t.GlyphShadow = { 255, 255, 255 };
        t.Accent = { 52, 132, 230 };
        t.Led = { 124, 232, 96 };
        t.Danger = { 214, 58, 48 };
        t.Check = { 36, 150, 70 };
        t.InfoMark = { 40, 104, 204 };
        t.Folder = { 222, 162, 42 };
        t.Pencil = { 226, 120, 40 };

        t.PanelBack = { 232, 237, 245 };
        t.PanelText = { 30, 42, 66 };
        t.PanelTextDim = { 98, 112, 140 };
        t.GroupDark = { 170, 182, 204 };
        t.GroupLight = { 255, 255, 255 };
        t.FieldBack = { 255, 255, 255 };
        t.FieldText = { 20, 26, 38 };

        t.EditBack = { 255, 255, 255 };
        t.MenuBack = { 246, 248, 252 };
        t.MenuText = { 26, 34, 50 };
        t.MenuHighlightBack = { 60, 106, 184 };
        t.MenuHighlightText = { 255, 255, 255 };
        t.LampShadow = 0.22;
        return t;
    }

    // Dark slate with light text.
    Theme MidnightTheme()
    {
        Theme t;
        t.Name = "Midnight";
        t.Outline = { 8, 10, 14 };
        t.Rail = { 50, 57, 70 };
        t.RailLight = { 78, 87, 104 };
        t.RailShadow = { 30, 34, 43 };
        t.Well = { 18, 21, 27 };

        t.TitleTop = { 70, 80, 102 };
        t.TitleBottom = { 38, 44, 58 };
        t.TitleGloss = { 104, 116, 142 };
        t.TitleEdge = { 16, 18, 24 };
        t.TitleText = { 232, 238, 247 };
        t.TitleTextDim = { 120, 132, 156 };
        t.ShelfTop = { 46, 52, 65 };
        t.ShelfBottom = { 38, 43, 55 };

        t.ListTop = { 40, 46, 58 };
        t.ListBottom = { 34, 39, 50 };
        t.Rule = { 27, 31, 40 };
        t.ListText = { 222, 228, 238 };
        t.InfoBack = { 28, 33, 44 };
        t.InfoEdge = { 16, 19, 25 };
        t.InfoLight = { 62, 70, 86 };

        t.StatusTop = { 52, 59, 74 };
        t.StatusBottom = { 34, 39, 50 };
        t.StatusWell = { 28, 32, 42 };
        t.StatusText = { 176, 190, 212 };

        t.Groove = { 30, 35, 45 };
        t.GrooveDark = { 16, 19, 25 };
        t.GrooveLight = { 70, 79, 96 };

        t.ButtonTop = { 84, 94, 114 };
        t.ButtonBottom = { 54, 61, 76 };
        t.ButtonOutline = { 14, 16, 22 };
        t.ButtonGloss = { 112, 124, 148 };
        t.HoverTop = { 96, 112, 140 };
        t.HoverBottom = { 58, 70, 94 };
        t.HoverOutline = { 86, 170, 222 };
        t.PressedTop = { 34, 39, 50 };
        t.PressedBottom = { 52, 59, 74 };
        t.Glyph = { 222, 230, 242 };
        t.GlyphShadow = { 20, 23, 30 };
        t.Accent = { 80, 176, 230 };
        t.Led = { 96, 214, 244 };
        t.Danger = { 220, 70, 60 };
        t.Check = { 96, 210, 120 };
        t.InfoMark = { 110, 178, 250 };
        t.Folder = { 236, 184, 70 };
        t.Pencil = { 240, 146, 70 };

        t.PanelBack = { 40, 46, 58 };
        t.PanelText = { 222, 228, 238 };
        t.PanelTextDim = { 140, 152, 174 };
        t.GroupDark = { 22, 25, 32 };
        t.GroupLight = { 66, 74, 90 };
        t.FieldBack = { 26, 30, 39 };
        t.FieldText = { 228, 234, 242 };

        t.EditBack = { 24, 28, 36 };
        t.MenuBack = { 40, 46, 58 };
        t.MenuText = { 222, 228, 238 };
        t.MenuHighlightBack = { 44, 110, 160 };
        t.MenuHighlightText = { 255, 255, 255 };
        t.LampShadow = 0.45;
        return t;
    }

} // namespace

std::optional<Theme> ThemeByName(std::string_view name)
{
    if (name == "Default")
        return DefaultTheme();
    if (name == "Midnight")
        return MidnightTheme();
    return std::nullopt;
}

} // namespace agendrix::skins
