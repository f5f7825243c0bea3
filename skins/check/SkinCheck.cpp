// agendrix_skin_check SKIN_FOLDER
//
// Checks a skin folder for what the windows rely on: every file present and readable as an
// uncompressed 24-bit bitmap, every cell inside its bitmap, pieces that meet without seams,
// buttons whose corners match the surface they are drawn on, lamps that tell the priorities
// apart, a control bar whose pictures sit within its buttons' hit ranges, a drag tab with a clean
// cut-out, and text colours that can be read on their backgrounds. Prints one line per failure
// and exits with 1 when there was any.
//
// The bitmap reader here is independent of the generator's writer on purpose.

#include "SkinLayout.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <iterator>
#include <map>
#include <optional>
#include <sstream>
#include <string>
#include <vector>

namespace {

namespace fs = std::filesystem;
using agendrix::skins::Rect;

struct Colour {
    int R = 0;
    int G = 0;
    int B = 0;
    bool operator==(const Colour&) const = default;
};

std::ostream& operator<<(std::ostream& out, const Colour& c)
{
    return out << '(' << c.R << ',' << c.G << ',' << c.B << ')';
}

struct Bitmap {
    int Width = 0;
    int Height = 0;
    std::vector<Colour> Pixels;

    Colour At(int x, int y) const
    {
        return Pixels[static_cast<std::size_t>(y) * static_cast<std::size_t>(Width)
            + static_cast<std::size_t>(x)];
    }
};

class Checker {
public:
    explicit Checker(fs::path folder)
        : Folder(std::move(folder))
    {
    }

    int Failures = 0;
    fs::path Folder;

    void Fail(const std::string& message)
    {
        std::cout << "FAIL " << Folder.filename().string() << ": " << message << '\n';
        ++Failures;
    }

    void Expect(bool condition, const std::string& message)
    {
        if (!condition)
            Fail(message);
    }

    std::uint32_t Le(const std::vector<unsigned char>& b, std::size_t at, int bytes)
    {
        std::uint32_t v = 0;
        for (int i = bytes - 1; i >= 0; --i)
            v = (v << 8) | b[at + static_cast<std::size_t>(i)];
        return v;
    }

    // Reads the file as the windows need it: "BM", a 40-byte information header, 24 bits per
    // pixel, no compression, rows bottom-up and padded with zeros to four bytes.
    std::optional<Bitmap> Read(const std::string& name)
    {
        std::ifstream file(Folder / name, std::ios::binary);
        if (!file) {
            Fail(name + " is missing");
            return std::nullopt;
        }
        const std::vector<unsigned char> b(
            (std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
        if (b.size() < 54 || b[0] != 'B' || b[1] != 'M') {
            Fail(name + " is not a Windows bitmap");
            return std::nullopt;
        }
        const std::uint32_t offset = Le(b, 10, 4);
        const std::uint32_t header = Le(b, 14, 4);
        const auto width = static_cast<std::int32_t>(Le(b, 18, 4));
        const auto height = static_cast<std::int32_t>(Le(b, 22, 4));
        const std::uint32_t planes = Le(b, 26, 2);
        const std::uint32_t bits = Le(b, 28, 2);
        const std::uint32_t compression = Le(b, 30, 4);
        if (header != 40 || planes != 1 || bits != 24 || compression != 0) {
            Fail(name + " is not an uncompressed 24-bit bitmap with a 40-byte header");
            return std::nullopt;
        }
        if (width <= 0 || height <= 0) {
            Fail(name + " must have a positive width and height (rows stored bottom-up)");
            return std::nullopt;
        }
        const std::size_t stride = (static_cast<std::size_t>(width) * 3 + 3) & ~static_cast<std::size_t>(3);
        const std::size_t pixelBytes = stride * static_cast<std::size_t>(height);
        if (Le(b, 2, 4) != b.size() || offset + pixelBytes != b.size()) {
            Fail(name + ": the sizes in its header do not match the file");
            return std::nullopt;
        }
        Expect(Le(b, 34, 4) == pixelBytes || Le(b, 34, 4) == 0, name + ": the image size field is wrong");
        Bitmap bmp { width, height, {} };
        bmp.Pixels.resize(static_cast<std::size_t>(width) * static_cast<std::size_t>(height));
        bool padded = true;
        for (int y = 0; y < height; ++y) {
            const std::size_t row = offset + stride * static_cast<std::size_t>(height - 1 - y);
            for (int x = 0; x < width; ++x) {
                const std::size_t at = row + static_cast<std::size_t>(x) * 3;
                bmp.Pixels[static_cast<std::size_t>(y) * static_cast<std::size_t>(width)
                    + static_cast<std::size_t>(x)]
                    = { b[at + 2], b[at + 1], b[at] };
            }
            for (std::size_t pad = static_cast<std::size_t>(width) * 3; pad < stride; ++pad)
                padded = padded && b[row + pad] == 0;
        }
        Expect(padded, name + ": row padding is not zero");
        return bmp;
    }

    void ExpectSize(const std::string& name, const Bitmap& bmp, int minWidth, int minHeight)
    {
        std::ostringstream msg;
        msg << name << " is " << bmp.Width << "x" << bmp.Height << ", its cells need at least " << minWidth
            << "x" << minHeight;
        Expect(bmp.Width >= minWidth && bmp.Height >= minHeight, msg.str());
    }

    // Loops over pixels stop at their first failure, so one fault gives one line.
    bool ExpectSame(Colour a, Colour b, const std::string& what)
    {
        if (a == b)
            return true;
        std::ostringstream msg;
        msg << what << ": " << a << " against " << b;
        Fail(msg.str());
        return false;
    }
};

bool Inside(const Bitmap& bmp, Rect r)
{
    return r.X >= 0 && r.Y >= 0 && r.Right() <= bmp.Width && r.Bottom() <= bmp.Height;
}

// Every row of the rectangle is one colour: the window repeats such a piece across.
bool RowsUniform(const Bitmap& bmp, Rect r)
{
    for (int y = r.Y; y < r.Bottom(); ++y)
        for (int x = r.X; x < r.Right(); ++x)
            if (bmp.At(x, y) != bmp.At(r.X, y))
                return false;
    return true;
}

// Every column of the rectangle is one colour: the window repeats such a piece downwards.
bool ColumnsUniform(const Bitmap& bmp, Rect r)
{
    for (int x = r.X; x < r.Right(); ++x)
        for (int y = r.Y; y < r.Bottom(); ++y)
            if (bmp.At(x, y) != bmp.At(x, r.Y))
                return false;
    return true;
}

double Luminance(Colour c)
{
    auto channel = [](int v) {
        const double s = v / 255.0;
        return s <= 0.03928 ? s / 12.92 : std::pow((s + 0.055) / 1.055, 2.4);
    };
    return 0.2126 * channel(c.R) + 0.7152 * channel(c.G) + 0.0722 * channel(c.B);
}

double Contrast(Colour a, Colour b)
{
    const double la = Luminance(a);
    const double lb = Luminance(b);
    return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

int Distance(Colour a, Colour b) { return std::abs(a.R - b.R) + std::abs(a.G - b.G) + std::abs(a.B - b.B); }

std::optional<std::vector<Colour>> ReadColours(Checker& check)
{
    std::ifstream file(check.Folder / "colors.txt", std::ios::binary);
    if (!file) {
        check.Fail("colors.txt is missing");
        return std::nullopt;
    }
    const std::string text((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
    std::vector<int> values;
    std::size_t start = 0;
    while (start < text.size()) {
        const std::size_t end = text.find("\r\n", start);
        if (end == std::string::npos) {
            check.Fail("colors.txt: every line must end with CR LF");
            return std::nullopt;
        }
        const std::string line = text.substr(start, end - start);
        char* stop = nullptr;
        const long v = std::strtol(line.c_str(), &stop, 10);
        if (line.empty() || *stop != '\0' || v < 0 || v > 255) {
            check.Fail(
                "colors.txt: line " + std::to_string(values.size() + 1) + " is not a number from 0 to 255");
            return std::nullopt;
        }
        values.push_back(static_cast<int>(v));
        start = end + 2;
    }
    if (values.size() < 30 || values.size() % 3 != 0) {
        check.Fail("colors.txt needs the 18 lines of the windows and 12 of the menu, three a colour");
        return std::nullopt;
    }
    std::vector<Colour> colours;
    for (std::size_t i = 0; i + 2 < values.size(); i += 3)
        colours.push_back({ values[i], values[i + 1], values[i + 2] });
    return colours;
}

void CheckMain(Checker& check, const Bitmap& main)
{
    check.ExpectSize("main.bmp", main, 475, 138);
    if (main.Width < 475 || main.Height < 138)
        return;
    // The middle tiles are repeated across the window, and the control bar and the lamps are
    // drawn over them anywhere: each of their rows is one colour.
    const struct {
        const char* Name;
        Rect Tile;
    } tiles[] = {
        { "title bar", { 93, 0, 303, 30 } },
        { "row", { 50, 31, 379, 24 } },
        { "information block top", { 50, 56, 379, 16 } },
        { "information block middle", { 50, 72, 379, 8 } },
        { "information block bottom", { 50, 80, 379, 24 } },
        { "end of list", { 50, 105, 379, 3 } },
        { "filler", { 50, 109, 379, 4 } },
        { "status bar", { 50, 114, 379, 24 } },
    };
    for (const auto& t : tiles)
        check.Expect(
            RowsUniform(main, t.Tile), std::string("main.bmp: the ") + t.Name + " tile changes across");

    // Pieces repeated downwards must not band: the block's middle strip and the filler.
    check.Expect(ColumnsUniform(main, { 0, 72, 475, 8 }),
        "main.bmp: the information block's middle strip changes downwards");
    check.Expect(ColumnsUniform(main, { 0, 109, 475, 4 }), "main.bmp: the filler changes downwards");

    // Neighbouring pieces meet: the left band's last column continues into the tile's first,
    // the tile's last into the right band's first (rows other than the title's).
    for (int y = 31; y < 138; ++y) {
        if (y == 55 || y == 104 || y == 108 || y == 113)
            continue;
        if (main.At(48, y) != main.At(50, y) || main.At(428, y) != main.At(430, y)) {
            check.Fail("main.bmp: a band does not meet its middle tile in row " + std::to_string(y));
            break;
        }
    }
    for (int y = 0; y < 30; ++y)
        if (main.At(91, y) != main.At(93, y) || main.At(395, y) != main.At(397, y)) {
            check.Fail("main.bmp: the title bar's pieces do not meet in row " + std::to_string(y));
            break;
        }
}

void CheckLamps(Checker& check, const Bitmap& lamps, const Bitmap& main)
{
    check.ExpectSize("plamps.bmp", lamps, 18, 13 * 22);
    if (lamps.Width < 18 || lamps.Height < 13 * 22 || main.Width < 475)
        return;
    using namespace agendrix::skins::ListLayout;
    const int width = std::min(lamps.Width, LampWidth);
    for (int band = 0; band < 13; ++band) {
        const int top = band * 22;
        // The lamp control sits at (7, row top - 1): its first row lies on the rule above the
        // row (the title bar's last row over the first row), the rest on the row.
        for (int x = 0; x < width; ++x)
            if (!check.ExpectSame(lamps.At(x, top), main.At(LampLeft + x, 31 + 23),
                    "plamps.bmp band " + std::to_string(band) + ": first row against the rule between rows")
                || !check.ExpectSame(lamps.At(x, top), main.At(LampLeft + x, 29),
                    "plamps.bmp band " + std::to_string(band)
                        + ": first row against the title bar's last row"))
                break;
        for (int y = 1; y < 22; ++y)
            if (!check.ExpectSame(lamps.At(width - 1, top + y), main.At(LampLeft + width - 1, 31 + y - 1),
                    "plamps.bmp band " + std::to_string(band) + " row " + std::to_string(y)
                        + ": right edge against the row")
                || !check.ExpectSame(lamps.At(0, top + y), main.At(LampLeft, 31 + y - 1),
                    "plamps.bmp band " + std::to_string(band) + " row " + std::to_string(y)
                        + ": left edge against the row"))
                break;
    }

    // Each priority has a colour of its own, at the heart of the lamp.
    const int cx = static_cast<int>(LampCentreX);
    const int cy = static_cast<int>(LampCentreY) + 2;
    std::vector<Colour> hearts;
    for (int band = 0; band < 13; ++band)
        hearts.push_back(lamps.At(cx, band * 22 + cy));
    for (int a = 0; a < 10; ++a)
        for (int b = a + 1; b < 10; ++b)
            check.Expect(
                Distance(hearts[static_cast<std::size_t>(a)], hearts[static_cast<std::size_t>(b)]) >= 40,
                "plamps.bmp: the lamps of codes " + std::to_string(10 - a) + " and " + std::to_string(10 - b)
                    + " look alike");
    // An extreme lamp blinks between its own band and the broken one, and a broken lamp
    // flickers between three frames: each change must show.
    check.Expect(Luminance(hearts[9]) < Luminance(hearts[8]) * 0.5,
        "plamps.bmp: the broken lamp is not clearly darker than the extreme one");
    for (int a = 10; a < 13; ++a)
        for (int b = a + 1; b < 13; ++b) {
            bool differ = false;
            for (int y = 0; y < 22 && !differ; ++y)
                for (int x = 0; x < width && !differ; ++x)
                    differ = lamps.At(x, a * 22 + y) != lamps.At(x, b * 22 + y);
            check.Expect(differ,
                "plamps.bmp: flicker frames " + std::to_string(a - 10) + " and " + std::to_string(b - 10)
                    + " are the same");
        }
}

void CheckButtons(Checker& check, const Bitmap& buttons, const Bitmap& main)
{
    check.ExpectSize("buttons.bmp", buttons, 141, 95);
    if (buttons.Width < 141 || buttons.Height < 95 || main.Width < 475)
        return;
    using namespace agendrix::skins::ListLayout;
    // The activity strip is drawn on the title bar at (19, 0): its edges are the title bar's.
    for (int strip : { 48, 66 })
        for (int y = 0; y < 18; ++y)
            if (!check.ExpectSame(buttons.At(48, strip + y), main.At(19, y),
                    "buttons.bmp: left edge of the activity strip at y " + std::to_string(strip))
                || !check.ExpectSame(buttons.At(48 + 74, strip + y), main.At(93 + (93 - TitleLeft), y),
                    "buttons.bmp: right edge of the activity strip at y " + std::to_string(strip)))
                break;
    // Corners of the buttons are the surface under them.
    const int titleRight = 397; // the title's right piece in main.bmp, drawn at W - 78
    for (int state : { 0, 16, 32 }) {
        check.ExpectSame(buttons.At(73, state), main.At(titleRight + 8, WindowButtonsTop),
            "buttons.bmp: window buttons' top left corner at y " + std::to_string(state));
        check.ExpectSame(buttons.At(140, state + 13), main.At(titleRight + 75, WindowButtonsTop + 13),
            "buttons.bmp: window buttons' bottom right corner at y " + std::to_string(state));
        check.ExpectSame(buttons.At(0, state), main.At(200, 31 + KeysTop),
            "buttons.bmp: control bar keys' corner at y " + std::to_string(state));
        check.ExpectSame(buttons.At(72, state + 15), main.At(200, 31 + KeysTop + 15),
            "buttons.bmp: control bar keys' far corner at y " + std::to_string(state));
    }
    for (int toggle : { 0, 16, 32 })
        check.ExpectSame(buttons.At(toggle, 48), main.At(200, 31),
            "buttons.bmp: handle cell's corner at x " + std::to_string(toggle));
    for (int thumb : { 0, 13 })
        check.ExpectSame(buttons.At(thumb, 68), main.At(430 + ThumbColumn, 31),
            "buttons.bmp: slider thumb's corner at x " + std::to_string(thumb));
    for (int state : { 0, 16, 32 })
        check.ExpectSame(buttons.At(state, 81), main.At(FunctionButton.X, FunctionButton.Y),
            "buttons.bmp: function button's corner at x " + std::to_string(state));
}

void CheckControlBar(Checker& check, const Bitmap& bar, const Bitmap& main)
{
    check.ExpectSize("aniopen.bmp", bar, 98, 500);
    if (bar.Width < 98 || bar.Height < 500 || main.Width < 475)
        return;
    auto background = [&](int y) { return main.At(200, 31 + y); };
    // The bar is drawn at the row's top: where it shows nothing it shows the row.
    for (int k = 0; k < 25; ++k)
        for (int y = 0; y < 20; ++y)
            if (!check.ExpectSame(bar.At(0, 20 * k + y), background(y),
                    "aniopen.bmp frame " + std::to_string(k) + ": left edge against the row"))
                break;
    for (int y = 0; y < 20; ++y)
        for (int x = 0; x < 80; ++x)
            if (bar.At(x, y) != background(y)) {
                check.Fail("aniopen.bmp: the closed frame shows something left of its collapsed end");
                y = 20;
                break;
            }
    for (int k = 0; k + 1 < 25; ++k) {
        bool differ = false;
        for (int y = 0; y < 20 && !differ; ++y)
            for (int x = 0; x < 98 && !differ; ++x)
                differ = bar.At(x, 20 * k + y) != bar.At(x, 20 * (k + 1) + y);
        check.Expect(differ,
            "aniopen.bmp: frames " + std::to_string(k) + " and " + std::to_string(k + 1) + " are the same");
    }

    // The open frame: each button's picture lies within its hit range (x strictly between the
    // bounds, 3 < y < 16), and the gap between close and mark completed shows the row.
    const int open = 480;
    const struct {
        const char* Name;
        int From;
        int To;
    } ranges[] = { { "close", 4, 18 }, { "mark completed", 22, 41 }, { "show information", 40, 56 },
        { "go to file", 55, 77 }, { "edit", 76, 95 } };
    for (const auto& r : ranges) {
        // The middle of the range must carry a picture: something that is not the row.
        int drawn = 0;
        const int mid = (r.From + r.To) / 2;
        for (int y = 4; y < 16; ++y)
            for (int x = mid - 2; x <= mid + 2; ++x)
                drawn += bar.At(x, open + y) != background(y) ? 1 : 0;
        check.Expect(drawn > 30, std::string("aniopen.bmp: the open bar shows nothing for ") + r.Name);
    }
    bool gap = true;
    for (int x = 19; x <= 21 && gap; ++x)
        for (int y = 4; y < 16 && gap; ++y)
            gap = check.ExpectSame(
                bar.At(x, open + y), background(y), "aniopen.bmp: the gap after the close button");
}

void CheckDialogs(Checker& check, const Bitmap& editor, const Bitmap& editButtons, const Bitmap& remote,
    const Bitmap& remoteButtons)
{
    check.ExpectSize("editbtns.bmp", editButtons, 227, 120);
    check.ExpectSize("remtbtns.bmp", remoteButtons, 267, 265);
    namespace E = agendrix::skins::EditorLayout;
    namespace R = agendrix::skins::RemoteLayout;
    check.Expect(editor.Width == E::Width && editor.Height == E::Height,
        "taskedit.bmp does not have the editor's planned size");
    check.Expect(remote.Width == R::Width && remote.Height == R::Height,
        "remote.bmp does not have the panel's planned size");
    if (editButtons.Width >= 227 && editButtons.Height >= 120 && Inside(editor, E::Close)
        && Inside(editor, E::Ok)) {
        for (int y : { 75, 89 })
            check.ExpectSame(editButtons.At(109, y), editor.At(E::Close.X, E::Close.Y),
                "editbtns.bmp: close button's corner");
        // The three command buttons each lie within their own part of the overlapping cells.
        for (int state : { 0, 25, 50 })
            check.ExpectSame(
                editButtons.At(0, state), editor.At(E::Ok.X, E::Ok.Y), "editbtns.bmp: OK's corner");
    }
    if (remoteButtons.Width >= 267 && remoteButtons.Height >= 265 && Inside(remote, R::TitleMark)
        && Inside(remote, R::Close)) {
        // The title mark is drawn on the panel at (0, 0): its outer edges are the panel's.
        for (int mark : { 201, 219 }) {
            for (int x = 0; x < R::TitleMark.W; ++x)
                if (!check.ExpectSame(remoteButtons.At(105 + x, mark), remote.At(x, 0),
                        "remtbtns.bmp: top row of the title mark"))
                    break;
            for (int y = 0; y < R::TitleMark.H; ++y)
                if (!check.ExpectSame(remoteButtons.At(105, mark + y), remote.At(0, y),
                        "remtbtns.bmp: left column of the title mark"))
                    break;
        }
        for (int y : { 201, 215 })
            check.ExpectSame(remoteButtons.At(89, y), remote.At(R::Close.X, R::Close.Y),
                "remtbtns.bmp: close button's corner");
        const Colour clear = remoteButtons.At(89 + 6, 229 + 6);
        const Colour set = remoteButtons.At(89 + 5, 241 + 7);
        check.Expect(clear != set, "remtbtns.bmp: the check box looks the same clear and set");
    }
}

void CheckDragTab(Checker& check, const Bitmap& bar)
{
    const Colour key { 0, 255, 0 };
    int keyed = 0;
    int fringe = 0;
    bool rightEdge = false;
    for (int y = 0; y < bar.Height; ++y)
        for (int x = 0; x < bar.Width; ++x) {
            const Colour c = bar.At(x, y);
            if (c == key) {
                ++keyed;
            } else {
                // A pixel blended with the key colour would show as a green fringe.
                if (c.G > 150 && c.R < 80 && c.B < 80)
                    ++fringe;
                if (x == bar.Width - 1)
                    rightEdge = true;
            }
        }
    check.Expect(keyed > 0, "bar.bmp has no pure green to cut away");
    check.Expect(keyed < bar.Width * bar.Height, "bar.bmp is all cut away");
    check.Expect(fringe == 0, "bar.bmp has greenish pixels that would show as a fringe");
    check.Expect(rightEdge, "bar.bmp: the tab does not reach its right edge, where it meets the list window");
}

// Of the pixels in rows top..top+count-1 of column x, the one the text stands out least on.
Colour LeastContrast(const Bitmap& bmp, Colour text, int x, int top, int count)
{
    Colour worst = bmp.At(x, top);
    for (int y = top; y < top + count; ++y)
        if (Contrast(text, bmp.At(x, y)) < Contrast(text, worst))
            worst = bmp.At(x, y);
    return worst;
}

void CheckColours(
    Checker& check, const std::vector<Colour>& colours, const Bitmap& main, const Bitmap& editor)
{
    const Colour editBack = colours[0];
    const Colour listText = colours[1];
    const Colour titleText = colours[2];
    const Colour statusText = colours[3];
    const Colour fieldBack = colours[4];
    const Colour fieldText = colours[5];
    const struct {
        const char* What;
        Colour Text;
        Colour Back;
    } pairs[] = {
        { "list text on the rows", listText, main.At(200, 31 + 2) },
        { "list text at the bottom of the rows", listText, main.At(200, 31 + 20) },
        { "list text on the information block", listText, main.At(200, 72) },
        { "list text in the edit boxes", listText, editBack },
        { "title text on the title bar", titleText,
            LeastContrast(main, titleText, 200, agendrix::skins::ListLayout::CaptionTop, 12) },
        { "status text in the status line", statusText, main.At(200, 114 + 10) },
        { "editor field text", fieldText, fieldBack },
        { "editor field text on the editor's fields", fieldText,
            editor.At(agendrix::skins::EditorLayout::Description.X + 2,
                agendrix::skins::EditorLayout::Description.Y + 2) },
        { "menu text", colours[7], colours[6] },
        { "highlighted menu text", colours[9], colours[8] },
    };
    for (const auto& p : pairs) {
        const double ratio = Contrast(p.Text, p.Back);
        std::ostringstream msg;
        msg << p.What << " is hard to read: contrast " << ratio << " (" << p.Text << " on " << p.Back
            << "), needs 4.5";
        check.Expect(ratio >= 4.5, msg.str());
    }
}

} // namespace

int main(int argc, char** argv)
{
    if (argc != 2) {
        std::cerr << "usage: agendrix_skin_check SKIN_FOLDER\n";
        return 2;
    }
    Checker check(argv[1]);
    std::map<std::string, Bitmap> bitmaps;
    for (const char* name : { "main.bmp", "plamps.bmp", "buttons.bmp", "aniopen.bmp", "taskedit.bmp",
             "editbtns.bmp", "remote.bmp", "remtbtns.bmp", "bar.bmp" })
        if (auto bmp = check.Read(name))
            bitmaps[name] = std::move(*bmp);
    const auto colours = ReadColours(check);

    auto has = [&](std::initializer_list<const char*> names) {
        for (const char* n : names)
            if (!bitmaps.count(n))
                return false;
        return true;
    };
    if (has({ "main.bmp" }))
        CheckMain(check, bitmaps["main.bmp"]);
    if (has({ "main.bmp", "plamps.bmp" }))
        CheckLamps(check, bitmaps["plamps.bmp"], bitmaps["main.bmp"]);
    if (has({ "main.bmp", "buttons.bmp" }))
        CheckButtons(check, bitmaps["buttons.bmp"], bitmaps["main.bmp"]);
    if (has({ "main.bmp", "aniopen.bmp" }))
        CheckControlBar(check, bitmaps["aniopen.bmp"], bitmaps["main.bmp"]);
    if (has({ "taskedit.bmp", "editbtns.bmp", "remote.bmp", "remtbtns.bmp" }))
        CheckDialogs(check, bitmaps["taskedit.bmp"], bitmaps["editbtns.bmp"], bitmaps["remote.bmp"],
            bitmaps["remtbtns.bmp"]);
    if (has({ "bar.bmp" }))
        CheckDragTab(check, bitmaps["bar.bmp"]);
    if (colours && has({ "main.bmp", "taskedit.bmp" }) && bitmaps["main.bmp"].Width >= 475
        && bitmaps["main.bmp"].Height >= 138
        && Inside(bitmaps["taskedit.bmp"], agendrix::skins::EditorLayout::Description))
        CheckColours(check, *colours, bitmaps["main.bmp"], bitmaps["taskedit.bmp"]);

    if (check.Failures > 0) {
        std::cout << check.Failures << " problem(s) in " << check.Folder.string() << '\n';
        return 1;
    }
    std::cout << check.Folder.string() << ": all checks passed\n";
    return 0;
}
