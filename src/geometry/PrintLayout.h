#pragma once

#include "skin/SkinColors.h"

#include <functional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace agendrix {

// A printed list, laid out as plain drawing operations so that the pages can be checked without a
// printer. Every length is in points (1/72 inch), measured from the paper's top-left corner.

inline constexpr double PointsPerMillimetre = 72.0 / 25.4;

// What the print dialog lets the user choose, as the settings keep it.
struct PrintOptions {
    bool Completed = true; // print completed tasks too
    bool Descriptions = false; // print each task's information text below it
    bool SmallFont = false; // every font at half size
    bool BlackAndWhite = false; // headings and their rules black instead of the lamp colours

    bool operator==(const PrintOptions&) const = default;
};

enum class PrintFace { Sans, Serif, Symbols };

struct PrintFont {
    PrintFace Face = PrintFace::Sans;
    double Size = 10; // points
    bool Bold = false;

    bool operator==(const PrintFont&) const = default;
};

struct TextExtent {
    double Width = 0; // the advance of the whole text
    double Height = 0; // the font's line height
};

// The size `text` (UTF-8) takes in `font`, in points.
using MeasureText = std::function<TextExtent(std::string_view text, const PrintFont& font)>;

struct PageMetrics {
    double Width = 595.3; // A4
    double Height = 841.9;
};

inline constexpr Rgb PrintBlack { 0, 0, 0 };
inline constexpr Rgb PrintSilver { 192, 192, 192 };

// One step of drawing a page: a text whose box has its top-left corner at (X, Y), a rule from
// (X, Y) to (X2, Y), or the start of a new page.
struct PrintOp {
    enum class Kind { Text, Rule, NewPage };
    Kind What = Kind::Text;
    double X = 0;
    double Y = 0;
    double X2 = 0; // rules only
    std::string Text; // UTF-8
    PrintFont Font;
    Rgb Colour = PrintBlack;

    bool operator==(const PrintOp&) const = default;
};

struct PrintJob {
    std::span<const std::string_view> Lines; // the tasks in list order, Windows-1252 bytes
    PrintOptions Options;
    PageMetrics Page;
    std::string Today; // the date as the user's short date format writes it
    std::string ListName; // the list's path (UTF-8)
};

// The pages of the list: the title block, the tasks under a heading for each priority, the
// footer with the list's path. The first page begins without a NewPage.
std::vector<PrintOp> LayOutPrint(const PrintJob& job, const MeasureText& measure);

// The list's title as the page shows it: the file name without a final ".agl" in any case.
std::string PrintTitle(std::string_view listName);
// The heading above the tasks of `code`; "Unprioritized" for a code that is none of ours.
std::string_view PrintHeading(int code);
// The task box glyph: U+2611 for a completed task, U+2610 for any other.
std::string_view PrintBox(bool completed);

// The print dialog's target that writes a PDF file instead of printing; it is always offered.
inline constexpr std::string_view PrintToPdfTarget = "Print to PDF file";
// The targets the dialog lists: the printers in the order given, then PrintToPdfTarget.
std::vector<std::string> PrintTargets(const std::vector<std::string>& printers);
// The printer a job goes to: `wanted` while it exists, else the default printer, else the first
// printer; empty when there is none.
std::string ChoosePrinter(
    const std::vector<std::string>& printers, const std::string& defaultPrinter, const std::string& wanted);

} // namespace agendrix
