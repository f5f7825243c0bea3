#include "PrintLayout.h"

#include "PickerLayout.h"

#include "model/ListDocument.h"
#include "model/TaskLine.h"
#include "model/Windows1252.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <optional>

namespace agendrix {

namespace {
    constexpr double LeftMargin = 18 * PointsPerMillimetre;
    constexpr double TopMargin = 15 * PointsPerMillimetre;
    constexpr double RightGap = 10 * PointsPerMillimetre; // the right limit's distance from the edge
    constexpr double BottomGap = (12 + 15) * PointsPerMillimetre; // below the lowest print line
    constexpr std::string_view Ellipsis = "...";

    constexpr std::array<std::string_view, 11> Headings { "Date Based", "Date Based Tasks Missed",
        "Extreme Priority", "Very High Priority", "High Priority", "Medium High Priority", "Medium Priority",
        "Medium Low Priority", "Low Priority", "Unprioritized", "Completed Items" };

    // The longest start of `text` (Windows-1252 bytes) that fits in `room`, as UTF-8: the whole
    // text when it fits, else one character less at a time with "..." after it.
    std::string Fitted(std::string_view text, const PrintFont& font, double room, const MeasureText& measure)
    {
        std::string utf8 = Windows1252ToUtf8(text);
        if (measure(utf8, font).Width <= room)
            return utf8;
        for (std::size_t keep = text.size(); keep-- > 0;) {
            utf8 = Windows1252ToUtf8(text.substr(0, keep)) + std::string(Ellipsis);
            if (measure(utf8, font).Width <= room)
                return utf8;
        }
        return std::string(Ellipsis);
    }

    std::vector<std::string_view> InformationLines(std::string_view stored)
    {
        std::vector<std::string_view> lines;
        while (true) {
            const std::size_t mark = stored.find(Pilcrow);
            lines.push_back(stored.substr(0, mark));
            if (mark == std::string_view::npos)
                return lines;
            stored.remove_prefix(mark + 1);
        }
    }

    // Places the operations of one document from top to bottom, page after page.
    class PageWriter {
    public:
        PageWriter(const PrintJob& job, const MeasureText& measure)
            : Job(job)
            , Measure(measure)
            , Scale(job.Options.SmallFont ? 0.5 : 1.0)
            , Body { PrintFace::Sans, 10 * Scale, false }
            , Small { PrintFace::Sans, 8 * Scale, false }
            , Box { PrintFace::Symbols, 10 * Scale, false }
            , RightLimit(job.Page.Width - RightGap)
            , LowestLine(job.Page.Height - BottomGap)
            , TextHeight(measure("T", Body).Height)
            , Half(TextHeight / 2)
            , Indent(LeftMargin + measure(std::string(PrintBox(false)) + " ", Box).Width)
        {
        }

        void TitleBlock(std::size_t printed);
        void Task(std::string_view line, int code);
        void Footer();
        std::vector<PrintOp> Take() { return std::move(Ops); }

    private:
        void Text(double x, std::string text, const PrintFont& font, Rgb colour = PrintBlack)
        {
            Ops.push_back({ PrintOp::Kind::Text, x, Y, 0, std::move(text), font, colour });
        }
        void Rule(double from, double to, Rgb colour = PrintBlack)
        {
            Ops.push_back({ PrintOp::Kind::Rule, from, Y, to, {}, {}, colour });
        }
        void Advance(double by)
        {
            Y += by;
            if (Y <= LowestLine)
                return;
            Ops.push_back({ PrintOp::Kind::NewPage, 0, 0, 0, {}, {}, PrintBlack });
            Y = TopMargin;
        }
        void Heading(int code);

        const PrintJob& Job;
        const MeasureText& Measure;
        const double Scale;
        const PrintFont Body;
        const PrintFont Small;
        const PrintFont Box;
        const double RightLimit;
        const double LowestLine;
        const double TextHeight; // th: the height of "T" in the body font
        const double Half; // h
        const double Indent; // where descriptions begin
        double Y = TopMargin;
        std::optional<int> LastCode; // of the last task printed
        std::vector<PrintOp> Ops;
    };

    void PageWriter::TitleBlock(std::size_t printed)
    {
        const PrintFont title { PrintFace::Sans, 16 * Scale, false };
        const std::string name = PrintTitle(Job.ListName);
        Text(LeftMargin, name, title);
        const PrintFont brand { PrintFace::Serif, 16 * Scale, true };
        const std::string program = "Agendrix";
        Text(RightLimit - Measure(program, brand).Width, program, brand, PrintSilver);
        Advance(Measure(name, title).Height);
        Rule(LeftMargin, RightLimit);
        Advance(Half / 2);
        Rule(LeftMargin, RightLimit);
        Advance(Half);
        Text(LeftMargin, std::to_string(printed) + " items, printed on " + Job.Today, Body);
        Advance(TextHeight);
    }

    void PageWriter::Heading(int code)
    {
        const Rgb colour = Job.Options.BlackAndWhite ? PrintBlack : PickerSwatch(code);
        const std::string text(PrintHeading(code));
        Advance(Half / 2);
        const double left = RightLimit - Measure(text, Small).Width;
        Text(left, text, Small, colour);
        Rule(LastCode ? Indent : LeftMargin, left, colour);
        Advance(Half);
    }

    void PageWriter::Task(std::string_view line, int code)
    {
        if (code != LastCode)
            Heading(code);
        LastCode = code;
        Text(LeftMargin, std::string(PrintBox(code == CodeCompleted)), Box);
        Text(
            Indent, Fitted(GetField(line, TaskField::Description), Body, RightLimit - Indent, Measure), Body);
        const std::string_view information = GetField(line, TaskField::Information);
        if (!Job.Options.Descriptions || information.empty())
            return Advance(TextHeight + Half);
        Advance(TextHeight);
        const double smallHeight = Measure("T", Small).Height;
        for (const std::string_view part : InformationLines(information)) {
            Text(Indent, Fitted(part, Small, RightLimit - Indent, Measure), Small);
            Advance(smallHeight);
        }
        Advance(Half);
    }

    void PageWriter::Footer()
    {
        Advance(Half);
        Rule(LeftMargin, RightLimit);
        Advance(Half);
        Text(RightLimit - Measure(Job.ListName, Small).Width, Job.ListName, Small);
    }

    int CodeOf(std::string_view line) { return PriorityCode(line).value_or(CodeUnprioritized); }
} // namespace

std::vector<PrintOp> LayOutPrint(const PrintJob& job, const MeasureText& measure)
{
    const auto printed
        = [&job](std::string_view line) { return job.Options.Completed || CodeOf(line) != CodeCompleted; };
    PageWriter writer(job, measure);
    writer.TitleBlock(static_cast<std::size_t>(std::count_if(job.Lines.begin(), job.Lines.end(), printed)));
    for (const std::string_view line : job.Lines)
        if (printed(line))
            writer.Task(line, CodeOf(line));
    writer.Footer();
    return writer.Take();
}

std::string PrintTitle(std::string_view listName)
{
    std::string name(FileNameOf(listName));
    constexpr std::string_view extension = ".agl";
    if (name.size() >= extension.size()
        && std::equal(extension.begin(), extension.end(), name.end() - static_cast<long>(extension.size()),
            [](char a, char b) { return a == std::tolower(static_cast<unsigned char>(b)); }))
        name.resize(name.size() - extension.size());
    return name;
}

std::string_view PrintHeading(int code)
{
    if (code < 0 || code >= static_cast<int>(Headings.size()))
        return Headings[CodeUnprioritized];
    return Headings[static_cast<std::size_t>(code)];
}

std::string_view PrintBox(bool completed) { return completed ? "\u2611" : "\u2610"; }

std::vector<std::string> PrintTargets(const std::vector<std::string>& printers)
{
    std::vector<std::string> targets = printers;
    targets.emplace_back(PrintToPdfTarget);
    return targets;
}

std::string ChoosePrinter(
    const std::vector<std::string>& printers, const std::string& defaultPrinter, const std::string& wanted)
{
    for (const std::string& candidate : { wanted, defaultPrinter })
        if (!candidate.empty() && std::find(printers.begin(), printers.end(), candidate) != printers.end())
            return candidate;
    return printers.empty() ? std::string() : printers.front();
}

} // namespace agendrix
