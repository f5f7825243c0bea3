#include "model/TextImport.h"

#include "model/ListFile.h"

#include "ModelTest.h"

#include <chrono>

namespace agendrix {
namespace {

    const CivilDate Today { 2026, 12, 6 };

    // The task line an imported line with this description must give.
    std::string TaskOf(const std::string& description)
    {
        return "09\t" + description + "\t\t0\t20261206\t3\t0\t";
    }

    std::vector<std::string> TasksOf(const std::vector<std::string>& descriptions)
    {
        std::vector<std::string> lines;
        for (const std::string& description : descriptions)
            lines.push_back(TaskOf(description));
        return lines;
    }

    TEST(TextImport, TheTextsNonBlankLinesBecomeTasks)
    {
        // A task line takes 20 bytes besides its description: 1004 are left for it.
        const std::string fits(1004, 'a');
        const struct {
            const char* Name;
            std::string Bytes;
            LineNumbers Numbers;
            std::vector<std::string> Descriptions; // in the text's order
            Lossiness Conversion;
            std::size_t Cut; // lines cut to fit
        } cases[] = {
            { "NulsAndControlCharactersBecomeBlanks", "\0\x01Milk\x02\0and\x7F tea\x0C\r\n\x1B\x1A\0\n"s,
                LineNumbers::Without, { "Milk  and  tea" }, Lossiness::Exact, 0 },
            { "ControlCharactersAmongUtf8BecomeBlanks", "\x01\xC3\xA9t\xC3\xA9\x00\n"s, LineNumbers::Without,
                { "\xE9t\xE9" }, Lossiness::Exact, 0 },
            { "InvalidUtf8IsReadAsWindows1252", "caf\xE9\ncr\xC3\xA8me \xC3", LineNumbers::Without,
                { "caf\xE9", "cr\xC3\xA8me \xC3" }, Lossiness::Exact, 0 },
            { "MarkBeforeInvalidUtf8GivesQuestionMarks",
                "\xEF\xBB\xBF"
                "caf\xE9\n",
                LineNumbers::Without, { "caf?" }, Lossiness::Replaced, 0 },
            { "Utf8OutsideWindows1252BecomesQuestionMarks", "Caf\xC3\xA9 \xE6\x97\xA5\xE6\x9C\xAC\n",
                LineNumbers::Without, { "Caf\xE9 ??" }, Lossiness::Replaced, 0 },
            { "Utf8IsConverted", "\xE2\x82\xAC 5 na\xC3\xAFve \xE2\x80\x9Cquoted\xE2\x80\x9D\n",
                LineNumbers::Without, { "\x80 5 na\xEFve \x93quoted\x94" }, Lossiness::Exact, 0 },
            { "MarkIsDroppedFromAsciiText", "\xEF\xBB\xBFMilk\r\nEggs\r\n", LineNumbers::Without,
                { "Milk", "Eggs" }, Lossiness::Exact, 0 },
            { "Windows1252StaysAsItIs", "\x80 5 \x93quoted\x94 \xB6\n", LineNumbers::Without,
                { "\x80 5 \x93quoted\x94 \xB6" }, Lossiness::Exact, 0 },
            { "EmptyText", "", LineNumbers::With, {}, Lossiness::Exact, 0 },
            { "OnlyBlankLines", "\r\n  \n\t\t\r \t \r\n", LineNumbers::With, {}, Lossiness::Exact, 0 },
            { "BlankLinesAreSkipped", "Milk\n\n   \n\t \t\nEggs\n", LineNumbers::Without, { "Milk", "Eggs" },
                Lossiness::Exact, 0 },
            { "BlanksAroundAreTrimmedAndTabsInsideBecomeBlanks", " \t Milk\tand  tea \t\n",
                LineNumbers::Without, { "Milk and  tea" }, Lossiness::Exact, 0 },
            { "LfLineEnds", "a\nb\nc\n", LineNumbers::Without, { "a", "b", "c" }, Lossiness::Exact, 0 },
            { "CrLfLineEnds", "a\r\nb\r\nc\r\n", LineNumbers::Without, { "a", "b", "c" }, Lossiness::Exact,
                0 },
            { "CrLineEnds", "a\rb\rc\r", LineNumbers::Without, { "a", "b", "c" }, Lossiness::Exact, 0 },
            { "MixedLineEnds", "a\r\nb\rc\nd\r\r\ne", LineNumbers::Without, { "a", "b", "c", "d", "e" },
                Lossiness::Exact, 0 },
            { "MissingLastLineEnd", "Milk\nEggs", LineNumbers::Without, { "Milk", "Eggs" }, Lossiness::Exact,
                0 },
            { "NumbersCountKeptLinesOnly", "Milk\n\n  \nEggs\r\nBread", LineNumbers::With,
                { "001 - Milk", "002 - Eggs", "003 - Bread" }, Lossiness::Exact, 0 },
            { "NumbersGoBeforeTheTrimmedText", "  \t9 lives \n", LineNumbers::With, { "001 - 9 lives" },
                Lossiness::Exact, 0 },

            { "OneByteTooLong", fits + "b\n", LineNumbers::Without, { fits }, Lossiness::Exact, 1 },
            { "FarTooLong", std::string(100000, 'x') + "\nshort\n", LineNumbers::Without,
                { std::string(1004, 'x'), "short" }, Lossiness::Exact, 1 },
            { "CutAtABlankLeavesNoBlankAtTheEnd", std::string(1003, 'a') + " b\n", LineNumbers::Without,
                { std::string(1003, 'a') }, Lossiness::Exact, 1 },
            { "NumberKeptAndTextCut", fits + "\n", LineNumbers::With, { "001 - " + std::string(998, 'a') },
                Lossiness::Exact, 1 },
            { "EveryLongLineCounts", fits + "b\r\n" + fits + "c\r\nok\r\n" + fits + "d", LineNumbers::Without,
                { fits, fits, "ok", fits }, Lossiness::Exact, 3 },
            { "ExactFitIsKept", fits + "\n", LineNumbers::Without, { fits }, Lossiness::Exact, 0 },
            { "BlanksAroundDoNotCount", "   " + fits + " \t \n", LineNumbers::Without, { fits },
                Lossiness::Exact, 0 },
            { "ExactFitWithNumberIsKept", std::string(998, 'a') + "\n", LineNumbers::With,
                { "001 - " + std::string(998, 'a') }, Lossiness::Exact, 0 },
        };
        for (const auto& c : cases) {
            const ImportedText imported = ImportTextLines(c.Bytes, c.Numbers, Today);
            EXPECT_EQ(Texts(imported.Loaded.Lines()), TasksOf(c.Descriptions)) << c.Name;
            EXPECT_EQ(imported.Conversion, c.Conversion) << c.Name;
            EXPECT_EQ(imported.CutLines, c.Cut) << c.Name;
            EXPECT_FALSE(imported.TooLarge) << c.Name;
            for (const std::string_view line : imported.Loaded.Lines())
                EXPECT_LE(line.size(), MaxTaskLineLength) << c.Name;
        }
    }

    TEST(TextImport, EveryControlCharacterAnywhereInAWordBecomesABlank)
    {
        // Control characters are looked for a word of eight bytes at a time.
        std::vector<char> controls { '\x7F' };
        for (char c = '\0'; c < ' '; ++c) {
            if (c != '\r' && c != '\n')
                controls.push_back(c);
        }
        for (const char control : controls) {
            for (std::size_t place = 1; place <= 16; ++place) {
                std::string line(18, 'a');
                line[place] = control;
                std::string blanked = line;
                blanked[place] = ' ';
                const ImportedText imported = ImportTextLines(line, LineNumbers::Without, Today);
                EXPECT_EQ(test::Texts(imported.Loaded.Lines()), TasksOf({ blanked }))
                    << "byte " << static_cast<int>(control) << " at " << place;
            }
        }
    }

    // `count` lines named in reverse alphabetical order, so that only their numbers can keep the
    // sorted list in the text's order.
    std::string ReversedLines(int count)
    {
        std::string text;
        for (int i = count; i > 0; --i)
            text += "line " + std::string(1, static_cast<char>('a' + i % 26)) + "\n";
        return text;
    }

    TEST(TextImport, NumbersKeepTheTextsOrderInTheSortedListUpTo999Lines)
    {
        const struct {
            const char* Name;
            LineNumbers Numbers;
            bool KeepsOrder;
        } cases[] = {
            { "withoutNumbers", LineNumbers::Without, false },
            { "withNumbers", LineNumbers::With, true },
        };
        for (const auto& c : cases) {
            const std::string text = ReversedLines(999);
            ImportedText imported = ImportTextLines(text, c.Numbers, Today);
            const std::vector<std::string> inTextOrder = test::Texts(imported.Loaded.Lines());
            ASSERT_EQ(inTextOrder.size(), 999U) << c.Name;
            TaskStore store;
            store.Load(std::move(imported.Loaded));
            EXPECT_EQ(test::Texts(store.Lines()) == inTextOrder, c.KeepsOrder) << c.Name;
        }
    }

    TEST(TextImport, Line1000SortsBetween100And101)
    {
        ImportedText imported = ImportTextLines(ReversedLines(1000), LineNumbers::With, Today);
        TaskStore store;
        store.Load(std::move(imported.Loaded));
        ASSERT_EQ(store.Count(), 1000U);
        const std::pair<std::size_t, const char*> cases[] = {
            { 0, "001 - " },
            { 98, "099 - " },
            { 99, "100 - " },
            { 100, "1000 - " },
            { 101, "101 - " },
            { 999, "999 - " },
        };
        for (const auto& [index, number] : cases)
            EXPECT_TRUE(GetField(store.Line(index), TaskField::Description).starts_with(number))
                << store.Line(index);
    }

    TEST(TextImport, ListsLargerThanAllowedAreRefused)
    {
        // The header takes 15 bytes, "09\ta\t\t0\t20261206\t3\t0\t" and CR LF 23 each.
        const struct {
            const char* Name;
            std::uint64_t Largest;
            bool TooLarge;
        } cases[] = {
            { "oneByteShort", 15 + 3 * 23 - 1, true },
            { "exactFit", 15 + 3 * 23, false },
        };
        for (const auto& c : cases) {
            const ImportedText imported
                = ImportTextLines("a\nb\r\nc", LineNumbers::Without, Today, c.Largest);
            EXPECT_EQ(imported.TooLarge, c.TooLarge) << c.Name;
            EXPECT_EQ(imported.Loaded.Handles.size(), c.TooLarge ? 0U : 3U) << c.Name;
            if (!c.TooLarge) {
                EXPECT_EQ(EncodeListFile(imported.Loaded.Lines()).size(), c.Largest) << c.Name;
            }
        }
    }

    TEST(TextImport, FiftyMegabytesFinishAndCountTheirLines)
    {
        // 50 MB of UTF-8 text with accents, every line end there is, blank lines and Tabs: the
        // whole file is checked as UTF-8, converted and cut into lines.
        const std::string block = "Caf\xC3\xA9 au lait\tand cr\xC3\xA8me br\xC3\xBBl\xC3\xA9"
                                  "e, twice\r\n"
                                  "  \r\n"
                                  "Another line of the list, with \xE2\x82\xAC 5\n"
                                  "and one more\r";
        std::string text = block;
        while (text.size() < 50'000'000)
            text += text; // doubled to just over 50 MB
        const std::size_t blocks = text.size() / block.size();
        const auto start = std::chrono::steady_clock::now();
        const ImportedText imported = ImportTextLines(std::move(text), LineNumbers::With, Today);
        const auto took = std::chrono::steady_clock::now() - start;
        ASSERT_EQ(imported.Loaded.Handles.size(), 3 * blocks);
        EXPECT_EQ(GetField(imported.Loaded.Lines().back(), TaskField::Description),
            std::to_string(3 * blocks) + " - and one more");
        // A few seconds in a Debug build with the sanitizers; a bound far above that only
        // catches work that grows faster than the text, such as one sorted insert a line.
        EXPECT_LT(took, std::chrono::seconds(30));
    }

    TEST(TextImport, ListNameIsTheFileNameWithoutItsLastExtension)
    {
        const std::pair<const char*, const char*> cases[] = {
            { "/home/ann/.todo", ".todo" },
            { "/home/ann/.todo.txt", ".todo" },
            { "/home/ann/notes.", "notes" },
            { "/home/ann/notes", "notes" },
            { "/home/ann/notes.txt", "notes" },
            { "/home/ann/notes.backup.txt", "notes.backup" },
            { "/home/ann.b/notes", "notes" },
            { "notes.txt", "notes" },
        };
        for (const auto& [path, name] : cases)
            EXPECT_EQ(ImportedListName(path), name) << path;
    }

    class TextImportFile : public testing::Test {
    protected:
        test::TempFolder Folder;
    };

    TEST_F(TextImportFile, FilesThatCannotBeReadFailNamingTheFile)
    {
        std::filesystem::create_directory(Folder / "folder.txt");
        test::WriteBytes(Folder / "readable.txt", "Milk\n");
        test::FailingFileOps failingRead(test::FileStep::Read, 1, EIO);
        const struct {
            const char* Name;
            std::string Path;
            FileOps& Ops;
            const char* Reason;
        } cases[] = {
            { "missing", Folder / "absent.txt", SystemFileOps(), "No such file" },
            { "folder", Folder / "folder.txt", SystemFileOps(), "Is a directory" },
            { "readError", Folder / "readable.txt", failingRead, "Input/output error" },
        };
        for (const auto& c : cases) {
            const TextImport result = ImportTextFile(c.Path, LineNumbers::With, Today, c.Ops);
            EXPECT_EQ(result.What, TextImport::Status::Failed) << c.Name;
            EXPECT_NE(result.Error.Message.find("\"" + c.Path + "\""), std::string::npos)
                << result.Error.Message;
            EXPECT_NE(result.Error.Message.find(c.Reason), std::string::npos) << result.Error.Message;
            EXPECT_TRUE(result.Text.Loaded.Handles.empty()) << c.Name;
        }
    }

    TEST_F(TextImportFile, AReadableFileGivesItsTasksAndTheListName)
    {
        test::WriteBytes(Folder / "shopping.list.txt", "Milk\r\n\r\nEggs\r\n");
        const TextImport result = ImportTextFile(Folder / "shopping.list.txt", LineNumbers::With, Today);
        ASSERT_EQ(result.What, TextImport::Status::Imported) << result.Error.Message;
        EXPECT_EQ(result.ListName, "shopping.list");
        EXPECT_EQ(test::Texts(result.Text.Loaded.Lines()), TasksOf({ "001 - Milk", "002 - Eggs" }));
    }

    TEST(TextImport, NoticeSaysWhatChangedOnce)
    {
        const auto with = [](Lossiness conversion, std::size_t cut) {
            ImportedText text;
            text.Conversion = conversion;
            text.CutLines = cut;
            return text;
        };
        const std::string replaced
            = "Some characters of \"/t/a.txt\" cannot be stored in a task list and were replaced by \"?\".";
        const struct {
            const char* Name;
            ImportedText Text;
            std::string Notice;
        } cases[] = {
            { "nothingToTell", with(Lossiness::Exact, 0), "" },
            { "replaced", with(Lossiness::Replaced, 0), replaced },
            { "oneCut", with(Lossiness::Exact, 1),
                "1 line of \"/t/a.txt\" was longer than a task allows (1024 characters in all) and cut to "
                "fit." },
            { "manyCut", with(Lossiness::Exact, 12),
                "12 lines of \"/t/a.txt\" were longer than a task allows (1024 characters in all) and cut to "
                "fit." },
            { "both", with(Lossiness::Replaced, 2),
                replaced
                    + "\n2 lines of \"/t/a.txt\" were longer than a task allows (1024 characters in all) and "
                      "cut to "
                      "fit." },
        };
        for (const auto& c : cases)
            EXPECT_EQ(ImportNotice("/t/a.txt", c.Text), c.Notice) << c.Name;
    }

} // namespace
} // namespace agendrix
