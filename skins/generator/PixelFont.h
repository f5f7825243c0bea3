#pragma once

#include "Image.h"

#include <string_view>

namespace agendrix::skins {

// The skins' own bitmap font: capitals and digits seven pixels high, lower case with a
// five-pixel x-height and two-pixel descenders, one pixel between letters. Bold thickens each
// stroke one pixel to the right where that does not close a one-pixel gap. Text is placed by
// the top of its capitals; the baseline is seven rows further down.
namespace PixelFont {
    inline constexpr int CapHeight = 7;
    inline constexpr int LineHeight = 9; // with descenders

    // Pixel width of the text; in a caption, "&" marks the access key and is not drawn.
    int Width(std::string_view text, bool bold = false);
    int CaptionWidth(std::string_view caption, bool bold = false);

    // Draws the text with the top of its capitals at y; returns the x after it. Throws
    // std::invalid_argument for a character the font does not have.
    int Draw(Image& img, int x, int y, std::string_view text, Rgb colour, bool bold = false);
    // Like Draw, but "&" underlines the character after it (the access key) and "&&" draws "&".
    int DrawCaption(Image& img, int x, int y, std::string_view caption, Rgb colour, bool bold = false);
    // The caption centred in the box, capitals centred vertically.
    void DrawCaptionCentred(Image& img, Rect box, std::string_view caption, Rgb colour, bool bold = false);
} // namespace PixelFont

} // namespace agendrix::skins
