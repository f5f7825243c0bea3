#include "model/WebPage.h"

#include "ModelTest.h"

#include "support/PageTemplates.h"

namespace agendrix {
namespace {

    using test::NumberedPageTemplate;

    PageTemplate Numbered()
    {
        const TemplateCut cut = CutPageTemplate(NumberedPageTemplate(), "numbered.htm");
        EXPECT_TRUE(cut.Template) << cut.Error;
        return cut.Template.value_or(PageTemplate {});
    }

    std::string Page(const std::vector<std::string>& lines, std::string_view listName,
        PageColour colour = PageColour::ByCategory, const PageTemplate& pieces = Numbered())
    {
        // In the order given, as a store would hold them sorted.
        LoadedLines tasks;
        for (const std::string& line : lines)
            tasks.Handles.push_back(tasks.Arena.Append(line));
        return BuildWebPage(pieces, tasks.Lines(), PageDetails { listName, "2026-12-06", colour });
    }

    std::string Task(std::string_view code, std::string_view description, std::string_view information = "")
    {
        return std::string(code) + "\t" + std::string(description) + "\t" + std::string(information)
            + "\t0\t20261206\t1\t0\t";
    }

    const std::string Closing = "[16]/lists/Work.agl[17]\r\n\r\n";

    std::string Head(std::size_t count, std::string_view title = "Work")
    {
        const std::string t(title);
        return "[0]" + t + "[1]" + t + "[2]" + std::to_string(count) + " items, created on 2026-12-06[3]";
    }

    TEST(WebPageTest, TemplatesThatLackAMarkerInOrderAreRefusedNamingIt)
    {
        const std::string numbered = NumberedPageTemplate("\n");
        const auto without = [&](std::string_view marker) {
            std::string text = numbered;
            text.erase(text.find(marker), marker.size());
            return text;
        };
        const auto swapped = [&](std::string_view first, std::string_view second) {
            std::string text = numbered;
            text.replace(text.find(first), first.size(), "@");
            text.replace(text.find(second), second.size(), first);
            text.replace(text.find('@'), 1, second);
            return text;
        };
        const struct {
            const char* Name;
            std::string Text;
            std::string_view Marker;
        } cases[] = {
            { "empty", "", "{PageTitle}" },
            { "plainPage", "<html><body>Hello</body></html>\r\n", "{PageTitle}" },
            { "noFirstColour", without("C00001"), "C00001" },
            { "noTaskFile", without("{TaskFile}"), "{TaskFile}" },
            { "colourBeforeItsCategory", swapped("C00001", "{CategoryTitle}"), "{CategoryTitle}" },
            { "lastTwoSwapped", swapped("{TaskInformation3}", "{TaskFile}"), "{TaskFile}" },
            { "markerCutByALineEnd",
                numbered.substr(0, numbered.find("{NextCategory}") + 5) + "\n"
                    + numbered.substr(numbered.find("{NextCategory}") + 5),
                "{NextCategory}" },
        };
        for (const auto& c : cases) {
            const TemplateCut cut = CutPageTemplate(c.Text, "/home/me/HTML Format.htm");
            EXPECT_FALSE(cut.Template) << c.Name;
            EXPECT_EQ(cut.Error,
                "The web page template \"/home/me/HTML Format.htm\" cannot be used: its marker \""
                    + std::string(c.Marker) + "\" is missing or out of order.")
                << c.Name;
        }
    }

    TEST(WebPageTest, TemplatesAreCutAtTheirMarkersWithEveryLineEndedByCrLf)
    {
        const auto pieces = [](std::vector<std::string> texts) {
            PageTemplate cut;
            for (std::size_t k = 0; k < texts.size(); ++k)
                cut.Pieces[k] = texts[k];
            return cut.Pieces;
        };
        std::vector<std::string> numbered;
        for (std::size_t k = 0; k < PageTemplatePieces; ++k)
            numbered.push_back("[" + std::to_string(k) + (k == 6 ? "\xC2\xA8]" : "]"));
        numbered.back() += "\r\n"; // the last line's end, which the file need not have
        std::vector<std::string> crlf = numbered;
        for (std::size_t k = 1; k < PageTemplatePieces; ++k)
            crlf[k] = "\r\n" + crlf[k];
        // CR LF, LF and a lone CR by turns.
        std::string mixed;
        for (std::size_t k = 0; k < PageMarkers.size(); ++k)
            mixed += numbered[k] + std::string(PageMarkers[k])
                + (k % 3 == 0        ? "\r\n"
                        : k % 3 == 1 ? "\n"
                                     : "\r");
        mixed += numbered[17];
        const struct {
            const char* Name;
            std::string Text;
            std::array<std::string, PageTemplatePieces> Expected;
        } cases[] = {
            { "noFinalLineEnd", NumberedPageTemplate(), pieces(numbered) },
            { "lfLineEnds", NumberedPageTemplate("\n") + "\n", pieces(crlf) },
            { "crLfLineEnds", NumberedPageTemplate("\r\n") + "\r\n", pieces(crlf) },
            { "mixedLineEnds", mixed, pieces(crlf) },
            { "windows1252Bytes",
                NumberedPageTemplate().replace(NumberedPageTemplate().find("\xC2\xA8"), 2, "\xA8"),
                pieces(numbered) },
            { "markerTextBeforeItsTurn", "{TaskFile} C00003 " + NumberedPageTemplate(),
                [&] {
                    auto early = pieces(numbered);
                    early[0] = "{TaskFile} C00003 [0]";
                    return early;
                }() },
        };
        for (const auto& c : cases) {
            const TemplateCut cut = CutPageTemplate(c.Text, "t.htm");
            ASSERT_TRUE(cut.Template) << c.Name << ": " << cut.Error;
            EXPECT_EQ(cut.Template->Pieces, c.Expected) << c.Name;
            EXPECT_TRUE(cut.Template->Pieces[17].ends_with("\r\n")) << c.Name;
        }
    }

    TEST(WebPageTest, PagesGroupTheTasksUnderTheirCategories)
    {
        const std::string p = "\xB6"; // a stored line break
        const struct {
            const char* Name;
            std::vector<std::string> Lines;
            std::string ListName;
            PageColour Colour;
            std::string Expected;
        } cases[] = {
            { "codeOutsideTheTableFirst", { Task("00", "new"), Task("04", "high") }, "/lists/Work.agl",
                PageColour::ByCategory,
                Head(2) + "606060[4][5]606060[6\xC2\xA8]new"
                    + "[11]FF8000[12]High Priority[13]FF8000[6\xC2\xA8]high" + Closing },
            { "codeOutsideTheTableKeepsThePrevious", { Task("02", "x"), "xx\tjunk" }, "/lists/Work.agl",
                PageColour::ByCategory,
                Head(2) + "C00000[4]Extreme Priority[5]C00000[6\xC2\xA8]x"
                    + "[11]C00000[12]Extreme Priority[13]C00000[6\xC2\xA8]junk" + Closing },
            { "linesShortOfFields", { "04", "04\tonly", "04\tdesc\t", "04\t\tinfo" }, "/lists/Work.agl",
                PageColour::ByCategory,
                Head(4)
                    + "FF8000[4]High "
                      "Priority[5]FF8000[6\xC2\xA8][8]FF8000[6\xC2\xA8]only[8]FF8000[6\xC2\xA8]desc"
                    + "[8]FF8000[6\xC2\xA8][7]info" + Closing },
            { "emptyList", {}, "/lists/Work.agl", PageColour::ByCategory, Head(0) + Closing },
            { "twoCategoriesAndCompleted",
                { Task("02", "a"), Task("02", "b"), Task("05", "c"), Task("10", "2026/12/01 - d") },
                "/lists/Work.agl", PageColour::ByCategory,
                Head(4) + "C00000[4]Extreme Priority[5]C00000[6\xC2\xA8]a[8]C00000[6\xC2\xA8]b"
                    + "[11]FF8000[12]Medium High Priority[13]FF8000[6\xC2\xA8]c"
                    + "[11]00C000[12]Completed Items[13]00C000[6\xC3\xBE]2026/12/01 - d" + Closing },
            { "withoutColour", { Task("01", "a"), Task("09", "b"), Task("10", "c") }, "/lists/Work.agl",
                PageColour::Grey,
                Head(3) + "606060[4]Date Based Tasks Missed[5]606060[6\xC2\xA8]a"
                    + "[11]606060[12]Unprioritized[13]606060[6\xC2\xA8]b"
                    + "[11]606060[12]Completed Items[13]606060[6\xC3\xBE]c" + Closing },
            { "everyCategory",
                { Task("03", "3"), Task("04", "4"), Task("06", "6"), Task("07", "7"), Task("08", "8") },
                "/lists/Work.agl", PageColour::ByCategory,
                Head(5) + "C00000[4]Very High Priority[5]C00000[6\xC2\xA8]3"
                    + "[11]FF8000[12]High Priority[13]FF8000[6\xC2\xA8]4"
                    + "[11]FF8000[12]Medium Priority[13]FF8000[6\xC2\xA8]6"
                    + "[11]FF8000[12]Medium Low Priority[13]FF8000[6\xC2\xA8]7"
                    + "[11]FF8000[12]Low Priority[13]FF8000[6\xC2\xA8]8" + Closing },
            { "informationWithLineBreaks", { Task("04", "a", "one" + p + "two" + p), Task("04", "b", "") },
                "/lists/Work.agl", PageColour::ByCategory,
                Head(2) + "FF8000[4]High Priority[5]FF8000[6\xC2\xA8]a[7]one<br>two<br>[8]FF8000[6\xC2\xA8]b"
                    + Closing },
            { "checkedBoxStaysChecked", { Task("10", "done"), Task("04", "after") }, "/lists/Work.agl",
                PageColour::ByCategory,
                Head(2) + "00C000[4]Completed Items[5]00C000[6\xC3\xBE]done"
                    + "[11]FF8000[12]High Priority[13]FF8000[6\xC3\xBE]after" + Closing },
            { "titleWithoutAglInAnyCase", {}, "/lists/Work.AGL", PageColour::ByCategory,
                Head(0) + "[16]/lists/Work.AGL[17]\r\n\r\n" },
            { "titleOfAnUnsavedList", {}, "New Task List 1", PageColour::ByCategory,
                Head(0, "New Task List 1") + "[16]New Task List 1[17]\r\n\r\n" },
            { "titleKeepsAnotherExtension", {}, "/a.agl/notes.txt", PageColour::ByCategory,
                Head(0, "notes.txt") + "[16]/a.agl/notes.txt[17]\r\n\r\n" },
            { "titleOfJustTheExtension", {}, "/lists/.agl", PageColour::ByCategory,
                Head(0, "") + "[16]/lists/.agl[17]\r\n\r\n" },
        };
        for (const auto& c : cases)
            EXPECT_EQ(Page(c.Lines, c.ListName, c.Colour), c.Expected) << c.Name;
    }

    // Task texts, the title and the path are text on the page, never markup.
    TEST(WebPageTest, TextsAreEscapedBeforeLineBreaksBecomeMarkup)
    {
        const std::string p = "\xB6";
        const struct {
            const char* Name;
            std::string Line;
            std::string ListName;
            std::string Expected; // from the task's piece to the closing pieces
        } cases[] = {
            { "scriptInDescription", Task("04", "<script>document.title='x'</script>"), "/l/Work.agl",
                "&lt;script&gt;document.title='x'&lt;/script&gt;" },
            { "referenceStaysText", Task("04", "&amp; & &lt;"), "/l/Work.agl", "&amp;amp; &amp; &amp;lt;" },
            { "quotesInInformation", Task("04", "d", "say \"hi\"" + p + "<b>bold</b>"), "/l/Work.agl",
                "d[7]say &quot;hi&quot;<br>&lt;b&gt;bold&lt;/b&gt;" },
            { "breakMarkupTypedAsText", Task("04", "d", "a<br>b" + p + "c"), "/l/Work.agl",
                "d[7]a&lt;br&gt;b<br>c" },
            { "pilcrowOfADescriptionIsText", Task("04", "a" + p + "b"), "/l/Work.agl",
                "a\xC2\xB6"
                "b" },
            { "windows1252Text", Task("04", "Caf\xE9 \xBD \x80 \x9D", "na\xEFve"), "/l/Work.agl",
                "Caf\xC3\xA9 \xC2\xBD \xE2\x82\xAC \xC2\x9D[7]na\xC3\xAFve" },
        };
        for (const auto& c : cases) {
            const std::string page = Page({ c.Line }, c.ListName);
            const std::string start = "FF8000[6\xC2\xA8]";
            const std::size_t from = page.find(start);
            ASSERT_NE(from, std::string::npos) << c.Name << ": " << page;
            const std::size_t end = page.find("[16]");
            EXPECT_EQ(page.substr(from + start.size(), end - from - start.size()), c.Expected) << c.Name;
        }
    }

    TEST(WebPageTest, TheTitleAndThePathAreEscapedToo)
    {
        const struct {
            const char* Name;
            std::string ListName;
            std::string Title;
            std::string Path;
        } cases[] = {
            { "windows1252Path", "/l/caf\xE9.agl", "caf\xC3\xA9", "/l/caf\xC3\xA9.agl" },
            { "tabInAWindows1252Path", "/l/a\tb\xE9.agl", "a\tb\xC3\xA9", "/l/a\tb\xC3\xA9.agl" },
            { "markupInName", "/l/<i>\"a\" & b.agl", "&lt;i&gt;&quot;a&quot; &amp; b",
                "/l/&lt;i&gt;&quot;a&quot; &amp; b.agl" },
            { "utf8Name", "/l/\xC3\xA9t\xC3\xA9.agl", "\xC3\xA9t\xC3\xA9", "/l/\xC3\xA9t\xC3\xA9.agl" },
        };
        for (const auto& c : cases)
            EXPECT_EQ(Page({}, c.ListName), Head(0, c.Title) + "[16]" + c.Path + "[17]\r\n\r\n") << c.Name;
    }

    TEST(WebPageTest, ALongPageIsWrittenInPiecesAndStopsAtAFailedWrite)
    {
        std::vector<std::string> lines;
        for (int i = 0; i < 9000; ++i)
            lines.push_back(
                Task("0" + std::to_string(2 + i / 1500), "task " + std::to_string(1000 + i), "info"));
        TaskStore tasks;
        tasks.Load(lines);
        const PageDetails details { "/lists/Work.agl", "today", PageColour::ByCategory };
        const std::string whole = BuildWebPage(Numbered(), tasks.Lines(), details);
        ASSERT_GT(whole.size(), 3 * 64 * 1024U);

        const struct {
            const char* Name;
            int FailAt; // the call of `write` that fails, 0 for none
            bool Written;
            int Calls;
        } cases[] = {
            { "firstWriteFails", 1, false, 1 },
            { "secondWriteFails", 2, false, 2 },
            { "noWriteFails", 0, true, -1 },
        };
        for (const auto& c : cases) {
            std::string written;
            int calls = 0;
            const bool result = WriteWebPage(Numbered(), tasks.Lines(), details, [&](std::string_view piece) {
                EXPECT_LE(piece.size(), 64 * 1024U + 1024U) << c.Name;
                written += piece;
                return ++calls != c.FailAt;
            });
            EXPECT_EQ(result, c.Written) << c.Name;
            if (c.Calls > 0) {
                EXPECT_EQ(calls, c.Calls) << c.Name;
            } else {
                EXPECT_GT(calls, 3) << c.Name;
                EXPECT_EQ(written, whole) << c.Name;
            }
        }
    }

    TEST(WebPageTest, LoadingATemplateNamesTheFileThatCouldNotBeRead)
    {
        const test::TempFolder folder;
        std::filesystem::create_directory(folder / "folder.htm");
        test::WriteBytes(folder / "good.htm", NumberedPageTemplate("\n"));
        test::WriteBytes(folder / "plain.htm", "<html></html>\n");
        const struct {
            const char* Name;
            std::string Path;
            std::string Error;
        } cases[] = {
            { "missing", folder / "absent.htm",
                "The web page template \"" + folder / "absent.htm" + "\" was not found." },
            { "folder", folder / "folder.htm",
                "Could not read \"" + folder / "folder.htm" + "\": Is a directory." },
            { "noMarkers", folder / "plain.htm",
                "The web page template \"" + folder / "plain.htm"
                    + "\" cannot be used: its marker \"{PageTitle}\" is missing or out of order." },
            { "good", folder / "good.htm", "" },
        };
        for (const auto& c : cases) {
            const TemplateCut cut = LoadPageTemplate(c.Path);
            EXPECT_EQ(cut.Error, c.Error) << c.Name;
            EXPECT_EQ(cut.Template.has_value(), c.Error.empty()) << c.Name;
        }
    }

    // The first fault of a page's markup: an end tag that does not close the element last
    // opened, an element left open, an odd number of quotes in a tag; empty when there is none.
    // Comments, the doctype and the text of a style element are skipped; void elements take no
    // end tag.
    std::string MarkupFault(std::string_view page)
    {
        static const std::vector<std::string_view> voidElements { "meta", "br", "link", "img", "hr",
            "input" };
        std::vector<std::string> open;
        for (std::size_t at = page.find('<'); at != std::string_view::npos; at = page.find('<', at + 1)) {
            if (page.substr(at, 4) == "<!--") {
                at = page.find("-->", at);
                if (at == std::string_view::npos)
                    return "a comment is not closed";
                continue;
            }
            const std::size_t end = page.find('>', at);
            if (end == std::string_view::npos)
                return "a tag is not closed";
            const std::string_view tag = page.substr(at + 1, end - at - 1);
            if (std::count(tag.begin(), tag.end(), '"') % 2 != 0)
                return "odd quotes in <" + std::string(tag) + ">";
            const bool closing = tag.starts_with('/');
            const std::string name(
                tag.substr(closing ? 1 : 0, tag.find_first_of(" >", closing ? 1 : 0) - (closing ? 1 : 0)));
            if (tag.starts_with('!')
                || std::find(voidElements.begin(), voidElements.end(), name) != voidElements.end())
                continue;
            if (!closing) {
                open.push_back(name);
                if (name == "style")
                    at = page.find("</style>", at) - 1;
                continue;
            }
            if (open.empty() || open.back() != name)
                return "</" + name + "> closes <" + (open.empty() ? std::string() : open.back()) + ">";
            open.pop_back();
        }
        return open.empty() ? std::string() : "<" + open.back() + "> is not closed";
    }

    TEST(WebPageTest, TheShippedTemplateMakesWellFormedPages)
    {
        const TemplateCut cut = LoadPageTemplate(AGENDRIX_PAGE_TEMPLATE);
        ASSERT_TRUE(cut.Template) << cut.Error;
        const std::string p = "\xB6";
        const struct {
            const char* Name;
            std::vector<std::string> Lines;
            PageColour Colour;
            int Checked;
        } cases[] = {
            { "oneTask", { Task("09", "only") }, PageColour::ByCategory, 0 },
            { "informationOrNot", { Task("04", "a", "x" + p + "y"), Task("04", "b"), Task("04", "c", "z") },
                PageColour::ByCategory, 0 },
            { "categoriesAndCompleted",
                { Task("01", "late"), Task("02", "a"), Task("05", "b", "i"), Task("10", "done", "i"),
                    Task("10", "also done") },
                PageColour::ByCategory, 2 },
            { "grey", { Task("03", "a"), Task("10", "done") }, PageColour::Grey, 1 },
            { "markupInTasks", { Task("04", "<p><div>\"", "</li></ul>" + p + "<!--") },
                PageColour::ByCategory, 0 },
        };
        for (const auto& c : cases) {
            LoadedLines tasks;
            for (const std::string& line : c.Lines)
                tasks.Handles.push_back(tasks.Arena.Append(line));
            const std::string page = BuildWebPage(
                *cut.Template, tasks.Lines(), PageDetails { "/l/<Work>.agl", "today", c.Colour });
            EXPECT_EQ(MarkupFault(page), "") << c.Name << "\n" << page;
            EXPECT_EQ(page.find("{Task"), std::string::npos) << c.Name << ": a sample task was written";
            std::size_t checked = 0;
            for (std::size_t at = page.find("data-box=\"\xC3\xBE\""); at != std::string::npos;
                 at = page.find("data-box=\"\xC3\xBE\"", at + 1))
                ++checked;
            EXPECT_EQ(checked, static_cast<std::size_t>(c.Checked)) << c.Name;
            EXPECT_TRUE(page.starts_with("<!DOCTYPE html>\r\n")) << c.Name;
            EXPECT_TRUE(page.ends_with("</html>\r\n\r\n")) << c.Name;
        }
    }

} // namespace
} // namespace agendrix
