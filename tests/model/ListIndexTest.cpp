#include "model/ListIndex.h"

#include "ModelTest.h"

#include <ctime>
#include <utime.h>

namespace agendrix {
namespace {

    // The code, description and file of each line, as "code|description|file".
    std::vector<std::string> Shown(const std::vector<std::string>& lines)
    {
        std::vector<std::string> shown;
        for (const std::string& line : lines)
            shown.push_back(std::string(GetField(line, TaskField::Code)) + "|"
                + std::string(GetField(line, TaskField::Description)) + "|"
                + std::string(GetField(line, TaskField::File)));
        return shown;
    }

    // `count` lists modified an hour apart from 2026-12-01 00:00, "list0.agl" the oldest.
    std::vector<IndexedList> HourlyLists(int count)
    {
        std::vector<IndexedList> lists;
        for (int i = 0; i < count; ++i) {
            char key[64];
            std::snprintf(key, sizeof key, "202612%02d%02d00", 1 + i / 24, i % 24);
            lists.push_back(IndexedList { "list" + std::to_string(i) + ".agl", key, {} });
        }
        return lists;
    }

    TEST(ListIndex, EntriesComeNewestFirstWithTheirAgeAsTheirCode)
    {
        const struct {
            const char* Name;
            std::vector<IndexedList> Lists;
            IndexNumbers Numbers;
            std::vector<std::string> Expected;
        } cases[] = {
            { "noLists", {}, IndexNumbers::On, {} },
            { "nameShorterThanItsExtension", { { "agl", "202612010900", {} } }, IndexNumbers::Off,
                { "02||/l/agl" } },
            { "threeByTheHour",
                { { "nine.agl", "202612010900", {} }, { "eleven.agl", "202612011100", {} },
                    { "ten.AGL", "202612011000", {} } },
                IndexNumbers::Off,
                { "02|eleven|/l/eleven.agl", "03|ten|/l/ten.AGL", "04|nine|/l/nine.agl" } },
            { "threeNumbered",
                { { "a.agl", "202612010900", {} }, { "b.agl", "202612011000", {} },
                    { "c.agl", "202612011100", {} } },
                IndexNumbers::On, { "02|0 - c|/l/c.agl", "03|1 - b|/l/b.agl", "04|2 - a|/l/a.agl" } },
            { "nonAsciiNameAndPath", { { "caf\xC3\xA9\t1.agl", "202612010900", {} } }, IndexNumbers::Off,
                { "02|caf\xE9 1|/l/caf\xE9 1.agl" } },
            { "sameMinuteLaterNameFirst",
                { { "a.agl", "202612010900", {} }, { "b.agl", "202612010900", {} } }, IndexNumbers::Off,
                { "02|b|/l/b.agl", "03|a|/l/a.agl" } },
        };
        for (const auto& c : cases)
            EXPECT_EQ(Shown(IndexLines(c.Lists, "/l/", IndexNumbers(c.Numbers))), c.Expected) << c.Name;

        const std::vector<std::string> ten = IndexLines(HourlyLists(10), "/l/", IndexNumbers::Off);
        ASSERT_EQ(ten.size(), 10u);
        for (std::size_t age = 0; age < ten.size(); ++age)
            EXPECT_EQ(
                GetField(ten[age], TaskField::Code), age < 7 ? TwoDigitCode(static_cast<int>(age) + 2) : "09")
                << "age " << age;

        const std::vector<std::string> twelve = IndexLines(HourlyLists(12), "/l/", IndexNumbers::On);
        EXPECT_EQ(GetField(twelve.front(), TaskField::Description), "00 - list11");
        EXPECT_EQ(GetField(twelve.back(), TaskField::Description), "11 - list0");
        EXPECT_EQ(std::string(twelve.front()),
            BuildTaskLine(
                TaskFields { "02", "00 - list11", "", "0", "20261201", "3", "0", "/l/list11.agl" }));
    }

    TEST(ListIndex, TheTopTasksAreTheFirstFiveDescriptions)
    {
        const struct {
            const char* Name;
            std::string Start;
            std::string Expected;
        } cases[] = {
            { "nothing", "", "" },
            { "headerOnly", "Format: 5.0.0\r\n", "" },
            { "lineShorterThanACode", "Format: 5.0.0\r\n0\r\n", "" },
            { "twoTasks", "Format: 5.0.0\r\n04\tMilk\tinfo\t0\r\n09\tBread\r\n",
                "Milk\xB6"
                "Bread" },
            { "sevenTasksGiveFive", "F\n02\ta\n03\tb\n04\tc\n05\td\n06\te\n07\tf\n08\tg\n",
                "a\xB6"
                "b\xB6"
                "c\xB6"
                "d\xB6"
                "e" },
        };
        for (const auto& c : cases)
            EXPECT_EQ(TopTasksOf(c.Start), c.Expected) << c.Name;

        // A file that is no list: no control character reaches the index line.
        const std::string junk("\x7f"
                               "ELF\n12\x01\x02\x03\0\0\x1b[31m\x7fx\n",
            20);
        EXPECT_EQ(TopTasksOf(junk), "     [31m\x7fx");
    }

    void Touch(const std::string& path, std::time_t when)
    {
        const utimbuf times { when, when };
        ASSERT_EQ(::utime(path.c_str(), &times), 0) << path;
    }

    TEST(ListIndex, AFolderIsIndexedWithoutTheListsItCannotRead)
    {
        const test::TempFolder folder;
        const std::string base = folder.Path() + "/";
        {
            const test::TempFolder missing;
            const ListIndexRead none = ReadListIndex(missing / "gone/", IndexNumbers::Off, IndexTopTasks::On);
            EXPECT_TRUE(none.Lines.empty());
            ASSERT_EQ(none.Unreadable.size(), 1u);
            EXPECT_NE(none.Unreadable[0].Message.find("gone"), std::string::npos);
        }
        test::WriteBytes(folder / "old.agl", "Format: 5.0.0\r\n05\tOld task\r\n");
        test::WriteBytes(folder / "new.AGL", "Format: 5.0.0\r\n02\tNew task\t\t0\r\n03\tSecond\r\n");
        test::WriteBytes(folder / "notes.txt", "not a list");
        ASSERT_EQ(::mkdir((folder / "folder.agl").c_str(), 0700), 0);
        // A list whose reading fails although it opens: the process's own memory at offset 0.
        ASSERT_EQ(::symlink("/proc/self/mem", (folder / "broken.agl").c_str()), 0);
        Touch(folder / "old.agl", 1764000000);
        Touch(folder / "new.AGL", 1764090000);

        const ListIndexRead read = ReadListIndex(base, IndexNumbers::Off, IndexTopTasks::On);

        ASSERT_EQ(read.Lines.size(), 2u);
        EXPECT_EQ(GetField(read.Lines[0], TaskField::Description), "new");
        EXPECT_EQ(GetField(read.Lines[0], TaskField::Information), "New task\xB6Second");
        EXPECT_EQ(GetField(read.Lines[0], TaskField::Date), LocalMinuteKey(1764090000).substr(0, 8));
        EXPECT_EQ(GetField(read.Lines[1], TaskField::File), base + "old.agl");
        ASSERT_EQ(read.Unreadable.size(), 1u);
        EXPECT_NE(read.Unreadable[0].Message.find("broken.agl"), std::string::npos);
        const ListIndexRead plain = ReadListIndex(base, IndexNumbers::On, IndexTopTasks::Off);
        EXPECT_EQ(plain.Lines.size(), 3u) << "without the top tasks nothing is read";
        EXPECT_EQ(GetField(plain.Lines[0], TaskField::Information), "");
    }

    TEST(DirectoryListing, FilesOfOneTypeBecomeEntriesWithSizeAndDate)
    {
        const test::TempFolder folder;
        const std::string base = folder.Path() + "/";
        test::WriteBytes(folder / "report.html", "12345");
        test::WriteBytes(folder / "Index.HTML", "");
        test::WriteBytes(folder / "page.htm", "x");
        test::WriteBytes(folder / "README", "no extension");
        test::WriteBytes(folder / ".hidden", "a dot file has no extension");
        ASSERT_EQ(::mkdir((folder / "sub.html").c_str(), 0700), 0);
        Touch(folder / "report.html", 1764000000);

        const struct {
            const char* Name;
            std::string Extension;
            std::vector<std::string> Expected;
        } cases[] = {
            { "unknownType", "xyz", {} },
            { "anyLetterCase", "html", { "Index.HTML", "report.html" } },
            { "noExtension", "", { ".hidden", "README" } },
            { "shorterExtension", "htm", { "page.htm" } },
        };
        for (const auto& c : cases) {
            std::vector<std::string> names;
            for (const ListedFile& file : FilesOfType(base, c.Extension))
                names.push_back(file.Name);
            EXPECT_EQ(names, c.Expected) << c.Name;
        }

        const std::vector<ListedFile> html = FilesOfType(base, "html");
        const std::vector<std::string> lines
            = DirectoryLines(html, base, [](std::time_t t) { return "at\t" + std::to_string(t); });
        ASSERT_EQ(lines.size(), 2u);
        // The last four characters go whatever the extension: "report.html" shows as "report.".
        EXPECT_EQ(lines[1],
            BuildTaskLine(TaskFields { "09", "report.",
                "Size: 5 bytes\xB6"
                "Date last modified: at 1764000000",
                "0", LocalMinuteKey(1764000000).substr(0, 8), "3", "0", base + "report.html" }));
    }

} // namespace
} // namespace agendrix
