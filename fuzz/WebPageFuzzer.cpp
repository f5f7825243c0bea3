// Any bytes as a web page template, and what follows its first NUL byte as task lines, one a
// line.
//
// Properties:
// - cutting gives the same with LF, CR LF or CR line ends, and every line of the pieces ends
//   with CR LF;
// - on success, the pieces with the markers between them are the template's lines, and each
//   piece holds no copy of the marker after it (each marker is the first one found);
// - on failure, the error names one marker, and the template with that marker and all after it
//   appended in order can be cut;
// - a page made of the tasks (through a template without markup characters) ends with its last
//   piece and CR LF, is valid UTF-8, has one task piece per task, holds no '"' and no '<' but
//   those of the "<br>" of a stored line break, and every '&' begins a character reference;
// - written a block at a time, the page is the same as made whole.

#include "FuzzCheck.h"

#include "model/TaskLine.h"
#include "model/TaskStore.h"
#include "model/WebPage.h"
#include "model/Windows1252.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

using namespace agendrix;

namespace {

constexpr std::size_t MostTasks = 256;

std::string WithLineEnds(std::string_view text, std::string_view lineEnd)
{
    std::string changed;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\r' || text[i] == '\n') {
            // CR CR LF and CR LF are one line end, as the template reader takes them.
            if (text.substr(i, 3) == "\r\r\n")
                i += 2;
            else if (text.substr(i, 2) == "\r\n")
                i += 1;
            changed += lineEnd;
        } else {
            changed += text[i];
        }
    }
    return changed;
}

void CheckCut(std::string_view text)
{
    const TemplateCut cut = CutPageTemplate(text, "t.htm");
    for (const std::string_view lineEnd : { "\n", "\r" }) {
        const TemplateCut other = CutPageTemplate(WithLineEnds(text, lineEnd), "t.htm");
        FUZZ_CHECK(other.Error == cut.Error);
        FUZZ_CHECK(other.Template.has_value() == cut.Template.has_value());
        if (cut.Template)
            FUZZ_CHECK(other.Template->Pieces == cut.Template->Pieces);
    }
    if (!cut.Template) {
        FUZZ_CHECK(!cut.Error.empty());
        const auto named = std::find_if(PageMarkers.begin(), PageMarkers.end(), [&](std::string_view marker) {
            return cut.Error.find("marker \"" + std::string(marker) + "\"") != std::string::npos;
        });
        FUZZ_CHECK(named != PageMarkers.end());
        std::string completed(text);
        completed += '\n';
        for (auto marker = named; marker != PageMarkers.end(); ++marker)
            completed += *marker;
        FUZZ_CHECK(CutPageTemplate(completed, "t.htm").Template.has_value());
        return;
    }
    const std::string utf8 = IsValidUtf8(text) ? std::string(text) : Windows1252ToUtf8(text);
    std::string lines = WithLineEnds(utf8, "\r\n");
    if (!lines.empty() && !lines.ends_with("\r\n"))
        lines += "\r\n";
    std::string joined;
    const auto& pieces = cut.Template->Pieces;
    for (std::size_t k = 0; k < PageMarkers.size(); ++k) {
        const std::string marked = pieces[k] + std::string(PageMarkers[k]);
        FUZZ_CHECK(marked.find(PageMarkers[k]) == pieces[k].size());
        joined += marked;
    }
    joined += pieces[PageMarkers.size()];
    FUZZ_CHECK(joined == lines);
}

std::size_t Count(std::string_view text, std::string_view part)
{
    std::size_t count = 0;
    for (std::size_t at = text.find(part); at != std::string_view::npos; at = text.find(part, at + 1))
        ++count;
    return count;
}

// A snowman, which no Windows-1252 text becomes: the task's piece is counted by it.
constexpr std::string_view TaskMark = "\xE2\x98\x83";

// A template whose pieces are letters and digits; the task's piece holds the task mark and the
// check box.
PageTemplate PlainTemplate()
{
    PageTemplate plain;
    for (std::size_t k = 0; k < PageTemplatePieces; ++k)
        plain.Pieces[k] = "P" + std::to_string(k) + ".";
    plain.Pieces[6] = std::string(TaskMark) + "\xC2\xA8";
    return plain;
}

void CheckPage(std::string_view taskBytes)
{
    LoadedLines tasks;
    std::size_t breaks = 0;
    for (std::size_t start = 0; start <= taskBytes.size() && tasks.Handles.size() < MostTasks;) {
        const std::size_t end = std::min(taskBytes.find('\n', start), taskBytes.size());
        const std::string_view line = taskBytes.substr(start, end - start);
        tasks.Handles.push_back(tasks.Arena.Append(line));
        const std::string_view information = GetField(line, TaskField::Information);
        breaks += static_cast<std::size_t>(std::count(information.begin(), information.end(), Pilcrow));
        start = end + 1;
    }
    const PageTemplate plain = PlainTemplate();
    for (const PageColour colour : { PageColour::Grey, PageColour::ByCategory }) {
        const PageDetails details { "/lists/a&b.agl", "2026-12-06", colour };
        const std::string page = BuildWebPage(plain, tasks.Lines(), details);
        FUZZ_CHECK(page.starts_with("P0."));
        FUZZ_CHECK(page.ends_with("P17.\r\n"));
        FUZZ_CHECK(IsValidUtf8(page));
        FUZZ_CHECK(Count(page, TaskMark) == tasks.Handles.size());
        FUZZ_CHECK(page.find('"') == std::string::npos);
        FUZZ_CHECK(Count(page, "<") == breaks && Count(page, "<br>") == breaks);
        FUZZ_CHECK(Count(page, ">") == breaks);
        FUZZ_CHECK(Count(page, "&")
            == Count(page, "&amp;") + Count(page, "&lt;") + Count(page, "&gt;") + Count(page, "&quot;"));

        std::string pieces;
        FUZZ_CHECK(WriteWebPage(plain, tasks.Lines(), details, [&pieces](std::string_view piece) {
            pieces += piece;
            return true;
        }));
        FUZZ_CHECK(pieces == page);
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    const std::size_t nul = bytes.find('\0');
    CheckCut(bytes.substr(0, nul));
    if (nul != std::string_view::npos)
        CheckPage(bytes.substr(nul + 1));
    return 0;
}
