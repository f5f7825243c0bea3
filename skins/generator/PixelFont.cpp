#include "PixelFont.h"

#include <array>
#include <stdexcept>
#include <string>
#include <vector>

namespace agendrix::skins::PixelFont {

namespace {

    // Each glyph is its rows from the top of the capitals down, separated by blanks; "#" is ink.
    // Rows left out at the bottom are empty. All rows of a glyph have the glyph's width.
    struct GlyphSource {
        char Code;
        const char* Rows;
    };

    constexpr GlyphSource Sources[] = {
        { 'A', ".###. #...# #...# ##### #...# #...# #...#" },
        { 'B', "####. #...# #...# ####. #...# #...# ####." },
        { 'C', ".###. #...# #.... #.... #.... #...# .###." },
        { 'D', "####. #...# #...# #...# #...# #...# ####." },
        { 'E', "##### #.... #.... ####. #.... #.... #####" },
        { 'F', "##### #.... #.... ####. #.... #.... #...." },
        { 'G', ".###. #...# #.... #.### #...# #...# .####" },
        { 'H', "#...# #...# #...# ##### #...# #...# #...#" },
        { 'I', "### .#. .#. .#. .#. .#. ###" },
        { 'J', "..### ...#. ...#. ...#. ...#. #..#. .##.." },
        { 'K', "#...# #..#. #.#.. ##... #.#.. #..#. #...#" },
        { 'L', "#.... #.... #.... #.... #.... #.... #####" },
        { 'M', "#...# ##.## #.#.# #.#.# #...# #...# #...#" },
        { 'N', "#...# #...# ##..# #.#.# #..## #...# #...#" },
        { 'O', ".###. #...# #...# #...# #...# #...# .###." },
        { 'P', "####. #...# #...# ####. #.... #.... #...." },
        { 'Q', ".###. #...# #...# #...# #.#.# #..#. .##.#" },
        { 'R', "####. #...# #...# ####. #.#.. #..#. #...#" },
        { 'S', ".#### #.... #.... .###. ....# ....# ####." },
        { 'T', "##### ..#.. ..#.. ..#.. ..#.. ..#.. ..#.." },
        { 'U', "#...# #...# #...# #...# #...# #...# .###." },
        { 'V', "#...# #...# #...# #...# #...# .#.#. ..#.." },
        { 'W', "#...# #...# #...# #.#.# #.#.# #.#.# .#.#." },
        { 'X', "#...# #...# .#.#. ..#.. .#.#. #...# #...#" },
        { 'Y', "#...# #...# .#.#. ..#.. ..#.. ..#.. ..#.." },
        { 'Z', "##### ....# ...#. ..#.. .#... #.... #####" },
        { 'a', "..... ..... .###. ....# .#### #...# .####" },
        { 'b', "#.... #.... ####. #...# #...# #...# ####." },
        { 'c', ".... .... .### #... #... #... .###" },
        { 'd', "....# ....# .#### #...# #...# #...# .####" },
        { 'e', "..... ..... .###. #...# ##### #.... .###." },
        { 'f', "..## .#.. #### .#.. .#.. .#.. .#.." },
        { 'g', "..... ..... .#### #...# #...# #...# .#### ....# .###." },
        { 'h', "#.... #.... ####. #...# #...# #...# #...#" },
        { 'i', "# . # # # # #" },
        { 'j', "..# ... ..# ..# ..# ..# ..# ..# ##." },
        { 'k', "#... #... #..# #.#. ##.. #.#. #..#" },
        { 'l', "#. #. #. #. #. #. .#" },
        { 'm', "..... ..... ####. #.#.# #.#.# #.#.# #.#.#" },
        { 'n', "..... ..... ####. #...# #...# #...# #...#" },
        { 'o', "..... ..... .###. #...# #...# #...# .###." },
        { 'p', "..... ..... ####. #...# #...# #...# ####. #.... #...." },
        { 'q', "..... ..... .#### #...# #...# #...# .#### ....# ....#" },
        { 'r', ".... .... #.## ##.. #... #... #..." },
        { 's', ".... .... .### #... .##. ...# ###." },
        { 't', ".#.. .#.. #### .#.. .#.. .#.. ..##" },
        { 'u', "..... ..... #...# #...# #...# #...# .####" },
        { 'v', "..... ..... #...# #...# #...# .#.#. ..#.." },
        { 'w', "..... ..... #...# #...# #.#.# #.#.# .#.#." },
        { 'x', "..... ..... #...# .#.#. ..#.. .#.#. #...#" },
        { 'y', "..... ..... #...# #...# #...# #...# .#### ....# .###." },
        { 'z', "..... ..... ##### ...#. ..#.. .#... #####" },
        { '0', ".###. #...# #..## #.#.# ##..# #...# .###." },
        { '1', ".#. ##. .#. .#. .#. .#. ###" },
        { '2', ".###. #...# ....# ...#. ..#.. .#... #####" },
        { '3', "##### ...#. ..#.. ...#. ....# #...# .###." },
        { '4', "...#. ..##. .#.#. #..#. ##### ...#. ...#." },
        { '5', "##### #.... ####. ....# ....# #...# .###." },
        { '6', "..##. .#... #.... ####. #...# #...# .###." },
        { '7', "##### ....# ...#. ..#.. .#... .#... .#..." },
        { '8', ".###. #...# #...# .###. #...# #...# .###." },
        { '9', ".###. #...# #...# .#### ....# ...#. .##.." },
        { ' ', "... ... ... ... ... ... ..." },
        { '.', ". . . . . . #" },
        { ',', ".. .. .. .. .. .# .# #." },
        { ':', ". . # . . # ." },
        { ';', ".. .. .# .. .. .# .# #." },
        { '-', "... ... ... ### ... ... ..." },
        { '+', "..... ..#.. ..#.. ##### ..#.. ..#.. ....." },
        { '_', "..... ..... ..... ..... ..... ..... ..... #####" },
        { '\'', "# # . . . . ." },
        { '"', "#.# #.# ... ... ... ... ..." },
        { '!', "# # # # # . #" },
        { '?', ".###. #...# ....# ...#. ..#.. ..... ..#.." },
        { '&', ".##.. #..#. #.#.. .#... #.#.# #..#. .##.#" },
        { '(', "..# .#. #.. #.. #.. .#. ..#" },
        { ')', "#.. .#. ..# ..# ..# .#. #.." },
        { '/', "....# ....# ...#. ..#.. .#... #.... #...." },
        { '%', "##..# ##..# ...#. ..#.. .#... #..## #..##" },
        { '#', ".#.#. .#.#. ##### .#.#. ##### .#.#. .#.#." },
        { '*', "..... #.#.# .###. ##### .###. #.#.# ....." },
        { '=', "..... ..... ##### ..... ##### ..... ....." },
        { '<', "...# ..#. .#.. #... .#.. ..#. ...#" },
        { '>', "#... .#.. ..#. ...# ..#. .#.. #..." },
    };

    struct Glyph {
        int Width = 0;
        std::array<std::string, LineHeight> Rows;
    };

    const std::vector<Glyph>& Glyphs()
    {
        static const std::vector<Glyph> table = [] {
            std::vector<Glyph> glyphs(128);
            for (const GlyphSource& source : Sources) {
                Glyph g;
                std::string rows = source.Rows;
                std::size_t row = 0;
                std::size_t start = 0;
                while (start <= rows.size() && row < g.Rows.size()) {
                    std::size_t end = rows.find(' ', start);
                    if (end == std::string::npos)
                        end = rows.size();
                    g.Rows[row++] = rows.substr(start, end - start);
                    start = end + 1;
                }
                g.Width = static_cast<int>(g.Rows[0].size());
                for (auto& r : g.Rows) {
                    if (r.empty())
                        r.assign(static_cast<std::size_t>(g.Width), '.');
                    if (static_cast<int>(r.size()) != g.Width)
                        throw std::logic_error(std::string("ragged glyph ") + source.Code);
                }
                glyphs[static_cast<unsigned char>(source.Code)] = g;
            }
            return glyphs;
        }();
        return table;
    }

    const Glyph& GlyphOf(char c)
    {
        const auto code = static_cast<unsigned char>(c);
        const auto& glyphs = Glyphs();
        if (code >= glyphs.size() || glyphs[code].Width == 0)
            throw std::invalid_argument(std::string("the skin font has no glyph for '") + c + "'");
        return glyphs[code];
    }

    bool Ink(const Glyph& g, int col, int row)
    {
        return col >= 0 && col < g.Width
            && g.Rows[static_cast<std::size_t>(row)][static_cast<std::size_t>(col)] == '#';
    }

    // The text of a caption with the access-key marks taken out, and the index of the access key.
    std::string StripAccessKey(std::string_view caption, int& accessIndex)
    {
        std::string out;
        accessIndex = -1;
        for (std::size_t i = 0; i < caption.size(); ++i) {
            if (caption[i] == '&' && i + 1 < caption.size()) {
                ++i;
                if (caption[i] != '&' && accessIndex < 0)
                    accessIndex = static_cast<int>(out.size());
            }
            out += caption[i];
        }
        return out;
    }

} // namespace

int Width(std::string_view text, bool bold)
{
    int w = 0;
    for (std::size_t i = 0; i < text.size(); ++i) {
        w += GlyphOf(text[i]).Width + (bold ? 1 : 0);
        if (i + 1 < text.size())
            w += 1;
    }
    return w;
}

int CaptionWidth(std::string_view caption, bool bold)
{
    int access = -1;
    return Width(StripAccessKey(caption, access), bold);
}

int Draw(Image& img, int x, int y, std::string_view text, Rgb colour, bool bold)
{
    for (char c : text) {
        const Glyph& g = GlyphOf(c);
        for (int row = 0; row < LineHeight; ++row)
            for (int col = 0; col < g.Width; ++col)
                if (Ink(g, col, row)) {
                    img.Set(x + col, y + row, colour);
                    // Bold thickens a stroke to the right unless that would close a one-pixel
                    // gap (the middle of "m", say), which keeps narrow letters readable.
                    if (bold && !Ink(g, col + 1, row) && !Ink(g, col + 2, row))
                        img.Set(x + col + 1, y + row, colour);
                }
        x += g.Width + (bold ? 1 : 0) + 1;
    }
    return x - 1;
}

int DrawCaption(Image& img, int x, int y, std::string_view caption, Rgb colour, bool bold)
{
    int access = -1;
    const std::string text = StripAccessKey(caption, access);
    if (access >= 0) {
        const int before
            = access == 0 ? 0 : Width(text.substr(0, static_cast<std::size_t>(access)), bold) + 1;
        const int keyWidth = GlyphOf(text[static_cast<std::size_t>(access)]).Width + (bold ? 1 : 0);
        img.HLine(x + before, x + before + keyWidth - 1, y + CapHeight + 1, colour);
    }
    return Draw(img, x, y, text, colour, bold);
}

void DrawCaptionCentred(Image& img, Rect box, std::string_view caption, Rgb colour, bool bold)
{
    const int w = CaptionWidth(caption, bold);
    const int x = box.X + (box.W - w) / 2;
    const int y = box.Y + (box.H - CapHeight) / 2;
    DrawCaption(img, x, y, caption, colour, bold);
}

} // namespace agendrix::skins::PixelFont
