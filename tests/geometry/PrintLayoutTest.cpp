#include "geometry/PrintLayout.h"
#include "geometry/PickerLayout.h"

#include "model/TaskLine.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

namespace agendrix {
namespace {

    constexpr double Left = 18 * PointsPerMillimetre;
    constexpr double Top = 15 * PointsPerMillimetre;
    const PageMetrics Page {};
    const double RightLimit = Page.Width - 10 * PointsPerMillimetre;
    const double Lowest = Page.Height - 27 * PointsPerMillimetre;

    // Every character half as wide as the font is high, every line 1.2 times the size.
    TextExtent FakeMeasure(std::string_view text, const PrintFont& font)
    {
        const auto characters = std::count_if(
            text.begin(), text.end(), [](char c) { return (static_cast<unsigned char>(c) & 0xC0) != 0x80; });
        return { static_cast<double>(characters) * font.Size * 0.5, font.Size * 1.2 };
    }

    std::string Task(const std::string& code, const std::string& description, const std::string& info = "")
    {
        return code + "\t" + description + "\t" + info + "\t0\t\t1\t0\t";
    }

    std::vector<PrintOp> LayOut(const std::vector<std::string>& lines, PrintOptions options,
        std::string listName = "/home/ann/Work.agl")
    {
        const std::vector<std::string_view> views(lines.begin(), lines.end());
        return LayOutPrint(PrintJob { views, options, Page, "06/12/2026", std::move(listName) }, FakeMeasure);
    }

    std::vector<PrintOp> TextsOf(const std::vector<PrintOp>& ops, PrintFace face = PrintFace::Sans)
    {
        std::vector<PrintOp> texts;
        std::copy_if(ops.begin(), ops.end(), std::back_inserter(texts),
            [face](const PrintOp& op) { return op.What == PrintOp::Kind::Text && op.Font.Face == face; });
        return texts;
    }

    const PrintOp* TextOp(const std::vector<PrintOp>& ops, std::string_view text)
    {
        const auto found = std::find_if(ops.begin(), ops.end(),
            [text](const PrintOp& op) { return op.What == PrintOp::Kind::Text && op.Text == text; });
        return found == ops.end() ? nullptr : &*found;
    }

    bool IsHeading(const PrintOp& op)
    {
        for (int code = 0; code <= CodeCompleted; ++code)
            if (op.What == PrintOp::Kind::Text && op.Text == PrintHeading(code))
                return true;
        return false;
    }

    std::vector<std::string> Headings(const std::vector<PrintOp>& ops)
    {
        std::vector<std::string> found;
        for (const PrintOp& op : ops)
            if (IsHeading(op))
                found.push_back(op.Text);
        return found;
    }

    TEST(PrintLayoutTest, TitlesAndTheirFileNames)
    {
        const struct {
            const char* Name;
            std::string ListName;
            std::string Title;
        } cases[] = {
            { "emptyName", "", "" },
            { "onlyTheExtension", "/tmp/.agl", "" },
            { "extensionNotAtTheEnd", "/tmp/old.agl.bak", "old.agl.bak" },
            { "otherExtension", "/tmp/done.cti", "done.cti" },
            { "upperCaseExtension", "/home/ann/Work.AGL", "Work" },
            { "mixedCaseExtension", "/home/ann/Home.AgL", "Home" },
            { "plainName", "/home/ann/Work.agl", "Work" },
            { "twoDots", "/home/ann/Work.2026.agl", "Work.2026" },
        };
        for (const auto& c : cases)
            EXPECT_EQ(PrintTitle(c.ListName), c.Title) << c.Name;
    }

    TEST(PrintLayoutTest, APrinterThatIsGoneFallsBackToTheDefault)
    {
        const std::vector<std::string> printers { "Office", "Lab", "Home" };
        const struct {
            const char* Name;
            std::vector<std::string> Printers;
            std::string Default, Wanted, Chosen;
        } cases[] = {
            { "noPrinterAtAll", {}, "", "Office", "" },
            { "wantedGoneNoDefault", printers, "", "Attic", "Office" },
            { "wantedGone", printers, "Lab", "Attic", "Lab" },
            { "defaultGoneToo", printers, "Cellar", "Attic", "Office" },
            { "noneWanted", printers, "Home", "", "Home" },
            { "wantedExists", printers, "Lab", "Home", "Home" },
            { "pdfKept", PrintTargets(printers), "Lab", std::string(PrintToPdfTarget), "Print to PDF file" },
        };
        for (const auto& c : cases)
            EXPECT_EQ(ChoosePrinter(c.Printers, c.Default, c.Wanted), c.Chosen) << c.Name;
        EXPECT_EQ(PrintTargets({}), std::vector<std::string> { "Print to PDF file" });
        EXPECT_EQ(PrintTargets(printers).front(), "Office");
    }

    TEST(PrintLayoutTest, FontSizesFollowTheSmallFontOption)
    {
        const struct {
            const char* Name;
            bool Small;
            double Title, Task, Heading, Information;
        } cases[] = {
            { "smallFont", true, 8, 5, 4, 4 },
            { "normalFont", false, 16, 10, 8, 8 },
        };
        for (const auto& c : cases) {
            const auto ops = LayOut({ Task("04", "Call Bob",
                                        "Number\xB6"
                                        "at home") },
                PrintOptions { true, true, c.Small, false });
            ASSERT_NE(TextOp(ops, "Work"), nullptr) << c.Name;
            EXPECT_EQ(TextOp(ops, "Work")->Font.Size, c.Title) << c.Name;
            EXPECT_EQ(TextOp(ops, "Agendrix")->Font, (PrintFont { PrintFace::Serif, c.Title, true }))
                << c.Name;
            EXPECT_EQ(TextOp(ops, "Agendrix")->Colour, PrintSilver) << c.Name;
            EXPECT_EQ(TextOp(ops, "1 items, printed on 06/12/2026")->Font.Size, c.Task) << c.Name;
            EXPECT_EQ(TextOp(ops, "Call Bob")->Font.Size, c.Task) << c.Name;
            EXPECT_EQ(TextOp(ops, "\u2610")->Font, (PrintFont { PrintFace::Symbols, c.Task, false }))
                << c.Name;
            EXPECT_EQ(TextOp(ops, "High Priority")->Font.Size, c.Heading) << c.Name;
            EXPECT_EQ(TextOp(ops, "Number")->Font.Size, c.Information) << c.Name;
            EXPECT_EQ(TextOp(ops, "at home")->Font.Size, c.Information) << c.Name;
            EXPECT_EQ(TextOp(ops, "/home/ann/Work.agl")->Font.Size, c.Heading) << c.Name;
        }
    }

    TEST(PrintLayoutTest, HeadingsFollowTheCodesAndTheOptions)
    {
        const std::vector<std::string> mixed { Task("02", "Pay rent"), Task("02", "Pay tax"),
            Task("06", "Paint fence"), Task("10", "2026/12/01 - Buy milk") };
        const struct {
            const char* Name;
            std::vector<std::string> Lines;
            PrintOptions Options;
            std::vector<std::string> Headings;
            std::string Items;
        } cases[] = {
            { "codeThatIsNoneOfOurs", { Task("x7", "Odd") }, {}, { "Unprioritized" }, "1 items" },
            { "emptyList", {}, {}, {}, "0 items" },
            { "onlyCompletedSkipped", { Task("10", "Done") }, { false, false, false, false }, {}, "0 items" },
            { "completedSkipped", mixed, { false, false, false, false },
                { "Extreme Priority", "Medium Priority" }, "3 items" },
            { "completedPrinted", mixed, {}, { "Extreme Priority", "Medium Priority", "Completed Items" },
                "4 items" },
            { "everyCode",
                { Task("00", "a"), Task("01", "b"), Task("02", "c"), Task("03", "d"), Task("04", "e"),
                    Task("05", "f"), Task("06", "g"), Task("07", "h"), Task("08", "i"), Task("09", "j"),
                    Task("10", "k") },
                {},
                { "Date Based", "Date Based Tasks Missed", "Extreme Priority", "Very High Priority",
                    "High Priority", "Medium High Priority", "Medium Priority", "Medium Low Priority",
                    "Low Priority", "Unprioritized", "Completed Items" },
                "11 items" },
        };
        for (const auto& c : cases) {
            const auto ops = LayOut(c.Lines, c.Options);
            EXPECT_EQ(Headings(ops), c.Headings) << c.Name;
            EXPECT_NE(TextOp(ops, c.Items + ", printed on 06/12/2026"), nullptr) << c.Name;
        }
    }

    TEST(PrintLayoutTest, HeadingsAreBlackOrTheLampColours)
    {
        const std::vector<std::string> lines { Task("03", "a"), Task("08", "b"), Task("10", "c") };
        const struct {
            const char* Name;
            bool BlackAndWhite;
        } cases[] = { { "blackAndWhite", true }, { "colour", false } };
        for (const auto& c : cases) {
            const auto ops = LayOut(lines, PrintOptions { true, false, false, c.BlackAndWhite });
            for (const int code : { 3, 8, 10 }) {
                const auto heading = std::find_if(ops.begin(), ops.end(),
                    [code](const PrintOp& op) { return op.Text == PrintHeading(code); });
                ASSERT_NE(heading, ops.end()) << c.Name << " " << code;
                const Rgb expected = c.BlackAndWhite ? PrintBlack : PickerSwatch(code);
                EXPECT_EQ(heading->Colour, expected) << c.Name << " " << code;
                const PrintOp& rule = *(heading + 1);
                ASSERT_EQ(rule.What, PrintOp::Kind::Rule) << c.Name << " " << code;
                EXPECT_EQ(rule.Colour, expected) << c.Name << " " << code;
                EXPECT_EQ(rule.X2, heading->X) << "the rule ends where the heading begins: " << c.Name;
                EXPECT_DOUBLE_EQ(heading->X + FakeMeasure(heading->Text, heading->Font).Width, RightLimit)
                    << c.Name;
                const double indent = Left + FakeMeasure("\u2610 ", { PrintFace::Symbols, 10, false }).Width;
                EXPECT_DOUBLE_EQ(rule.X, code == 3 ? Left : indent) << c.Name << " " << code;
            }
            for (const PrintOp& op : ops)
                if (op.Text == "a" || op.Text == "b" || op.Text == "c") {
                    EXPECT_EQ(op.Colour, PrintBlack) << "task texts stay black: " << c.Name;
                }
        }
    }

    TEST(PrintLayoutTest, LongTextsAreShortenedToFitBeforeTheRightLimit)
    {
        const std::string word(1024, 'W');
        const struct {
            const char* Name;
            std::string Description;
            bool Shortened;
        } cases[] = {
            { "wordOf1024Characters", word, true },
            { "justTooLong", std::string(static_cast<std::size_t>((RightLimit - Left - 10) / 5) + 1, 'x'),
                true },
            { "fitsExactly", std::string(static_cast<std::size_t>((RightLimit - Left - 10) / 5), 'y'),
                false },
            { "short", "Milk", false },
        };
        const double indent = Left + 10; // "☐ " at 10 pt in the fake measure
        for (const auto& c : cases) {
            const auto ops = LayOut({ Task("05", c.Description) }, {});
            const auto texts = TextsOf(ops);
            const auto task = std::find_if(texts.begin(), texts.end(), [&](const PrintOp& op) {
                return op.X == indent && !op.Text.empty() && (op.Text[0] == c.Description[0]);
            });
            ASSERT_NE(task, texts.end()) << c.Name;
            const double width = FakeMeasure(task->Text, task->Font).Width;
            EXPECT_LE(indent + width, RightLimit) << c.Name;
            if (!c.Shortened) {
                EXPECT_EQ(task->Text, c.Description) << c.Name;
                continue;
            }
            EXPECT_TRUE(task->Text.ends_with("...")) << c.Name;
            EXPECT_EQ(
                task->Text.substr(0, task->Text.size() - 3), c.Description.substr(0, task->Text.size() - 3))
                << c.Name;
            EXPECT_GT(indent + width + 5, RightLimit) << "one character more would not fit: " << c.Name;
        }
    }

    TEST(PrintLayoutTest, InformationLinesAreShortenedAlike)
    {
        const std::string longLine(400, 'i');
        const auto ops
            = LayOut({ Task("05", "Task", "first\xB6" + longLine + "\xB6") }, PrintOptions { true, true });
        const PrintOp* task = TextOp(ops, "Task");
        ASSERT_NE(task, nullptr);
        std::vector<const PrintOp*> lines;
        for (const PrintOp& op : ops)
            if (op.Font.Size == 8 && op.X == task->X && op.What == PrintOp::Kind::Text)
                lines.push_back(&op);
        ASSERT_EQ(lines.size(), 3u);
        EXPECT_EQ(lines[0]->Text, "first");
        EXPECT_GT(lines[0]->Y, task->Y);
        EXPECT_TRUE(lines[1]->Text.ends_with("..."));
        EXPECT_LE(task->X + FakeMeasure(lines[1]->Text, lines[1]->Font).Width, RightLimit);
        EXPECT_EQ(lines[2]->Text, "");
        EXPECT_GT(lines[2]->Y, lines[1]->Y);
        EXPECT_EQ(TextOp(LayOut({ Task("05", "Task", "first") }, {}), "first"), nullptr)
            << "without the option no information is printed";
    }

    TEST(PrintLayoutTest, Windows1252TextsPrintAsUnicode)
    {
        const std::string euroOe = "Pay \x80"
                                   "5 for \x9C"
                                   "uvres";
        const auto ops = LayOut({ Task("04", euroOe, "caf\xE9\xB6na\xEFve") }, PrintOptions { true, true });
        EXPECT_NE(TextOp(ops, "Pay €5 for œuvres"), nullptr);
        EXPECT_NE(TextOp(ops, "café"), nullptr);
        EXPECT_NE(TextOp(ops, "naïve"), nullptr);
        EXPECT_NE(TextOp(LayOut({ Task("10", "Done") }, {}), "\u2611"), nullptr) << "completed box";
    }

    TEST(PrintLayoutTest, PagesBreakBeforeTheLowestPrintLine)
    {
        const struct {
            const char* Name;
            std::size_t Tasks;
            bool Small;
            std::size_t AtLeastPages;
        } cases[] = {
            { "tenThousandTasks", 10000, false, 10000 * 15 / 700 },
            { "tenThousandSmall", 10000, true, 10000 * 7 / 700 },
            { "onePage", 5, false, 1 },
        };
        for (const auto& c : cases) {
            std::vector<std::string> lines;
            for (std::size_t i = 0; i < c.Tasks; ++i)
                lines.push_back(Task(i < c.Tasks / 2 ? "03" : "07", "Task " + std::to_string(i)));
            const auto ops = LayOut(lines, PrintOptions { true, false, c.Small });
            const auto pages = 1 + std::count_if(ops.begin(), ops.end(), [](const PrintOp& op) {
                return op.What == PrintOp::Kind::NewPage;
            });
            EXPECT_GE(static_cast<std::size_t>(pages), c.AtLeastPages) << c.Name;
            bool pageStart = false;
            std::size_t nextTask = 0;
            for (const PrintOp& op : ops) {
                if (op.What == PrintOp::Kind::NewPage) {
                    pageStart = true;
                    continue;
                }
                EXPECT_GE(op.Y, Top) << c.Name << " " << op.Text;
                EXPECT_LE(op.Y, Lowest) << c.Name << " " << op.Text;
                // Only the footer's rule, which keeps its half line of space, may begin lower.
                const double footerGap = op.What == PrintOp::Kind::Rule ? (c.Small ? 3 : 6) : 0;
                if (pageStart) {
                    EXPECT_DOUBLE_EQ(op.Y, Top + footerGap) << "a page begins at the top margin: " << c.Name;
                }
                pageStart = false;
                if (op.Text.starts_with("Task ")) {
                    EXPECT_EQ(op.Text, "Task " + std::to_string(nextTask++)) << "list order: " << c.Name;
                }
            }
            EXPECT_EQ(nextTask, c.Tasks) << c.Name;
        }
    }

    TEST(PrintLayoutTest, AnEmptyListHasTheTitleBlockAndTheFooter)
    {
        const auto ops = LayOut({}, {}, "/home/ann/Empty.agl");
        ASSERT_EQ(ops.size(), 7u);
        const double titleHeight = 16 * 1.2;
        const double half = 6; // half the height of "T" at 10 pt
        const std::vector<PrintOp> expected {
            { PrintOp::Kind::Text, Left, Top, 0, "Empty", { PrintFace::Sans, 16, false }, PrintBlack },
            { PrintOp::Kind::Text, RightLimit - 64, Top, 0, "Agendrix", { PrintFace::Serif, 16, true },
                PrintSilver },
            { PrintOp::Kind::Rule, Left, Top + titleHeight, RightLimit, {}, {}, PrintBlack },
            { PrintOp::Kind::Rule, Left, Top + titleHeight + half / 2, RightLimit, {}, {}, PrintBlack },
            { PrintOp::Kind::Text, Left, Top + titleHeight + half * 1.5, 0, "0 items, printed on 06/12/2026",
                { PrintFace::Sans, 10, false }, PrintBlack },
            { PrintOp::Kind::Rule, Left, Top + titleHeight + half * 4.5, RightLimit, {}, {}, PrintBlack },
            { PrintOp::Kind::Text, RightLimit - 19 * 4, Top + titleHeight + half * 5.5, 0,
                "/home/ann/Empty.agl", { PrintFace::Sans, 8, false }, PrintBlack },
        };
        for (std::size_t i = 0; i < expected.size(); ++i) {
            EXPECT_EQ(ops[i].What, expected[i].What) << i;
            EXPECT_EQ(ops[i].Text, expected[i].Text) << i;
            EXPECT_DOUBLE_EQ(ops[i].X, expected[i].X) << i;
            EXPECT_DOUBLE_EQ(ops[i].Y, expected[i].Y) << i;
            EXPECT_DOUBLE_EQ(ops[i].X2, expected[i].X2) << i;
            EXPECT_EQ(ops[i].Colour, expected[i].Colour) << i;
            if (ops[i].What == PrintOp::Kind::Text) {
                EXPECT_EQ(ops[i].Font, expected[i].Font) << i;
            }
        }
    }

} // namespace
} // namespace agendrix
