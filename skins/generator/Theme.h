#pragma once

#include "Image.h"

#include <array>
#include <optional>
#include <string>
#include <string_view>

namespace agendrix::skins {

// A look: every colour the pictures of a skin are drawn with. The shapes are the same for all
// skins; only these colours differ.
struct Theme {
    std::string Name;

    // Window frame
    Rgb Outline; // outermost pixel of every window
    Rgb Rail; // the side rails, the space below the list and the scroll column
    Rgb RailLight;
    Rgb RailShadow;
    Rgb Well; // dark line around the list area

    // Title bar and the shelf under it
    Rgb TitleTop;
    Rgb TitleBottom;
    Rgb TitleGloss; // first row under the outline
    Rgb TitleEdge; // last row of the title band
    Rgb TitleText;
    Rgb TitleTextDim; // the program's name while the window is inactive
    Rgb ShelfTop;
    Rgb ShelfBottom;

    // List
    Rgb ListTop; // row background, first row
    Rgb ListBottom; // row background, last row before the rule
    Rgb Rule; // line between rows
    Rgb ListText;
    Rgb InfoBack; // the open information block
    Rgb InfoEdge;
    Rgb InfoLight;

    // Status bar
    Rgb StatusTop;
    Rgb StatusBottom;
    Rgb StatusWell;
    Rgb StatusText;

    // Scroll column
    Rgb Groove;
    Rgb GrooveDark;
    Rgb GrooveLight;

    // Buttons
    Rgb ButtonTop;
    Rgb ButtonBottom;
    Rgb ButtonOutline;
    Rgb ButtonGloss;
    Rgb HoverTop;
    Rgb HoverBottom;
    Rgb HoverOutline;
    Rgb PressedTop;
    Rgb PressedBottom;
    Rgb Glyph; // pictograms and captions on buttons
    Rgb GlyphShadow;
    Rgb Accent; // focus rings
    Rgb Led; // the lit activity lamp of the title bars
    Rgb Danger; // the exit button under the pointer
    Rgb Check; // the tick of "mark completed"
    Rgb InfoMark; // the "i" of "show information"
    Rgb Folder; // the folder of "go to file"
    Rgb Pencil;

    // Dialogs (task editor, remote panel)
    Rgb PanelBack;
    Rgb PanelText;
    Rgb PanelTextDim;
    Rgb GroupDark; // etched group frames
    Rgb GroupLight;
    Rgb FieldBack;
    Rgb FieldText;

    // colors.txt
    Rgb EditBack; // the list window's inline edit boxes
    Rgb MenuBack;
    Rgb MenuText;
    Rgb MenuHighlightBack;
    Rgb MenuHighlightText;

    // Shading strength of the lamps' drop shadow.
    double LampShadow = 0.2;
};

// The skins this generator knows, by name.
inline constexpr std::array<std::string_view, 2> SkinNames { "Default", "Midnight" };
std::optional<Theme> ThemeByName(std::string_view name);

} // namespace agendrix::skins
