#include "model/ListFile.h"

#include "model/TaskLine.h"
#include "model/TaskStore.h"

#include "TestSupport.h"

#include <random>

namespace agendrix {
namespace {

    using namespace std::string_literals;
    using test::CrLf;
    using test::FailingFileOps;
    using test::FileStep;
    using test::InformationMessage;
    using test::ReadBytes;
    using test::ScriptedPrompts;
    using test::TempFolder;
    using test::WriteBytes;

    const CivilDate Today { 2026, 3, 14 };
    const std::string SampleFolder = std::string(AGENDRIX_TEST_DATA) + "/lists/";

    // The lines of a file after its first line, as the file holds them.
    std::vector<std::string> LinesAfterHeader(const std::string& bytes)
    {
        const std::vector<std::string_view> lines = SplitLines(bytes);
        return std::vector<std::string>(lines.begin() + 1, lines.end());
    }

    // GetList of `path` over a changed document that holds `before`.
    struct Opened {
        ListDocument Document;
        RecentLists Recent;
        ScriptedPrompts User;
        GetListResult Result;

        explicit Opened(std::string path, std::vector<std::string> before = {})
        {
            Document.ListName = std::move(path);
            Document.Tasks.Load(std::move(before));
            Document.Dirty = true;
            Result = GetList(Document, Recent, User, Today);
        }
    };

    TEST(ListFileTest, EncodesHeaderAndCrLfLines)
    {
        EXPECT_EQ(HeaderLine(), "Format: 5.0.0");
        EXPECT_EQ(EncodeListFile({}), "Format: 5.0.0\r\n");
        EXPECT_EQ(EncodeListFile({ "04\ta", "09\tb" }), "Format: 5.0.0\r\n04\ta\r\n09\tb\r\n");
    }

    TEST(ListFileTest, EmptyListSavesHeaderOnlyAndLoadsEmpty)
    {
        TempFolder folder;
        ListDocument document { folder / "empty.agl", true, {} };
        ASSERT_EQ(SaveList(document).Message, "");
        EXPECT_FALSE(document.Dirty);
        EXPECT_EQ(ReadBytes(folder / "empty.agl"), "Format: 5.0.0\r\n");

        Opened opened(folder / "empty.agl", { "09\tstale" });
        EXPECT_EQ(opened.Result.What, GetListResult::Status::Loaded);
        EXPECT_TRUE(opened.Document.Tasks.Empty());
        EXPECT_TRUE(opened.User.Asked.empty());
    }

    TEST(ListFileTest, UnchangedLinesRoundTripByteForByte)
    {
        std::vector<std::string> lines {
            "04\tHigh bytes \x80\x81\x8D\x9F\xA0\xB6\xE9\xFF\tinfo\xB6more\t0\t\t1\t0\t",
            "05\tNul\0inside\t\x00\t0\t\t1\t0\t"s,
            "06\t" + std::string(100 * 1024, 'L') + "\t\t0\t\t1\t0\t",
            "07",
            "zz\tnon-digit code",
            "08\tToo\tmany\tfields\t1\t20261399\t-4\tx\ty\tz",
            "09\ttrailing blanks   \t\t\t\t\t\t\t",
        };
        std::sort(
            lines.begin(), lines.end(), [](const auto& a, const auto& b) { return TaskLineLess(a, b); });
        const std::string bytes = EncodeListFile(lines);
        TempFolder folder;
        WriteBytes(folder / "in.agl", bytes);

        Opened opened(folder / "in.agl");
        ASSERT_EQ(opened.Result.What, GetListResult::Status::Loaded);
        EXPECT_EQ(test::Texts(opened.Document.Tasks.Lines()), lines);
        opened.Document.ListName = folder / "out.agl";
        ASSERT_EQ(SaveList(opened.Document).Message, "");
        EXPECT_EQ(ReadBytes(folder / "out.agl"), bytes);
    }

    TEST(ListFileTest, SampleCurrentListLoadsUnchangedAndSavesIdentically)
    {
        const std::string sample = ReadBytes(SampleFolder + "current.agl");
        TempFolder folder;
        Opened opened(SampleFolder + "current.agl");
        ASSERT_EQ(opened.Result.What, GetListResult::Status::Loaded);
        EXPECT_EQ(test::Texts(opened.Document.Tasks.Lines()), LinesAfterHeader(sample));
        EXPECT_FALSE(opened.Document.Dirty);
        EXPECT_EQ(opened.Recent[0], SampleFolder + "current.agl");
        EXPECT_TRUE(opened.User.Asked.empty());

        opened.Document.ListName = folder / "copy.agl";
        ASSERT_EQ(SaveList(opened.Document).Message, "");
        EXPECT_EQ(ReadBytes(folder / "copy.agl"), sample);
    }

    struct HeaderCase {
        std::string Name;
        std::string Header;
    };

    class CurrentHeaderTest : public ::testing::TestWithParam<HeaderCase> { };

    TEST_P(CurrentHeaderTest, LoadsUnchangedWithoutMessage)
    {
        const std::vector<std::string> lines { "03\tDated\t\t1\t20200101\t3\t0\t",
            "09\tPlain\t\t0\t\t1\t0\t" };
        TempFolder folder;
        WriteBytes(folder / "l.agl", CrLf({ GetParam().Header, lines[0], lines[1] }));
        Opened opened(folder / "l.agl");
        EXPECT_EQ(opened.Result.What, GetListResult::Status::Loaded);
        EXPECT_EQ(opened.Result.Format, ListFormat::Current);
        EXPECT_EQ(test::Texts(opened.Document.Tasks.Lines()), lines);
        EXPECT_TRUE(opened.User.Asked.empty());
    }

    INSTANTIATE_TEST_SUITE_P(Headers, CurrentHeaderTest,
        ::testing::Values(HeaderCase { "NonDigitVersion", "Format: X.Y" },
            HeaderCase { "NoVersionText", "F" }, HeaderCase { "Version210", "Format: 2.1.0" },
            HeaderCase { "Version302", "Format: 3.0.2" }, HeaderCase { "Version500", "Format: 5.0.0" }),
        test::CaseName());

    TEST(ListFileTest, SampleVersion21LoadsAsCurrent)
    {
        Opened opened(SampleFolder + "v21.agl");
        EXPECT_EQ(opened.Result.Format, ListFormat::Current);
        EXPECT_EQ(test::Texts(opened.Document.Tasks.Lines()),
            LinesAfterHeader(ReadBytes(SampleFolder + "v21.agl")));
        EXPECT_TRUE(opened.User.Asked.empty());
    }

    TEST(ListFileTest, Version20ResetsEveryDateAndTellsOnce)
    {
        Opened opened(SampleFolder + "v20.agl");
        EXPECT_EQ(opened.Result.What, GetListResult::Status::Loaded);
        EXPECT_EQ(opened.Result.Format, ListFormat::Version20);
        EXPECT_EQ(test::Texts(opened.Document.Tasks.Lines()),
            (std::vector<std::string> { "03\tWater the plants\t\t1\t20260314\t2\t0\t",
                "06\tFix the bike\tRear brake\xB6"
                "chain\t1\t20260314\t4\t2\t",
                "09\tNo date" }));
        EXPECT_EQ(opened.User.Asked, std::vector { InformationMessage(Version20Message()) });
        EXPECT_FALSE(opened.Document.Dirty);
    }

    TEST(ListFileTest, Version20WithOtherOldHeaderAlsoConverts)
    {
        TempFolder folder;
        WriteBytes(folder / "l.agl", CrLf({ "Format: 1.9.9", "04\ta\t\t1\t19990101\t1\t0\t" }));
        Opened opened(folder / "l.agl");
        EXPECT_EQ(test::Texts(opened.Document.Tasks.Lines()),
            std::vector<std::string> { "04\ta\t\t1\t20260314\t1\t0\t" });
        EXPECT_EQ(opened.User.Asked.size(), 1u);
    }

    TEST(ListFileTest, Version1InvertsCodesResetsDatesAndTellsAfterReading)
    {
        ListDocument document { SampleFolder + "v1.agl", true, {} };
        RecentLists recent;
        ScriptedPrompts prompts;
        std::size_t linesWhenTold = 0;
        prompts.OnAsk = [&](const PromptRequest&) { linesWhenTold = document.Tasks.Count(); };

        const GetListResult result = GetList(document, recent, prompts, Today);

        EXPECT_EQ(result.Format, ListFormat::Version1);
        EXPECT_EQ(test::Texts(document.Tasks.Lines()),
            (std::vector<std::string> { "02\tOld extreme task\tinfo\t1\t20260314\t3\t0\t",
                "05\tOld middle task\t\xE9t\xE9\t0\t20260314\t1\t0\t",
                "09\tOld unprioritized task\t\t0\t20260314\t1\t0\t",
                "10\tOld completed task\t\t0\t20260314\t1\t0\t" }));
        EXPECT_EQ(prompts.Asked, std::vector { InformationMessage(Version1Message()) });
        EXPECT_EQ(linesWhenTold, 4u);
        EXPECT_FALSE(document.Dirty);
    }

    TEST(ListFileTest, Version1WithoutLinesStillTells)
    {
        TempFolder folder;
        WriteBytes(folder / "l.agl", "\r\n08\tafter the empty line\r\n");
        Opened opened(folder / "l.agl");
        EXPECT_EQ(opened.Result.Format, ListFormat::Version1);
        EXPECT_TRUE(opened.Document.Tasks.Empty());
        EXPECT_EQ(opened.User.Asked, std::vector { InformationMessage(Version1Message()) });
    }

    TEST(ListFileTest, OldFormatMessagesHaveTheirExactWording)
    {
        EXPECT_EQ(Version20Message(),
            "This file is in Version 2.0 format, it will be\nconverted to Version 3 format the next\n"
            "time you save. Dated items will not have\ntheir dates retained, we apologise for any\n"
            "inconvenience.");
        EXPECT_EQ(Version1Message(),
            "This list is in Agendrix Verson 1 format, the list will\nbe converted to Version 2 format when "
            "you next save.\nDated items will not have their dates retained, we\napologise for any "
            "inconvenience.\n\nNOTE: Agendrix Version 1 cannot read V2.1 files.");
    }

    struct BytesCase {
        std::string Name;
        std::string Bytes;
    };

    class LineEndTest : public ::testing::TestWithParam<BytesCase> { };

    TEST_P(LineEndTest, ReadsUpToFirstEmptyLine)
    {
        const ParsedList parsed = ParseListFile(GetParam().Bytes, Today);
        EXPECT_EQ(parsed.Format, ListFormat::Current);
        EXPECT_EQ(test::Texts(parsed.Loaded.Lines), (std::vector<std::string> { "04\ta", "09\tb" }));
    }

    INSTANTIATE_TEST_SUITE_P(Files, LineEndTest,
        ::testing::Values(
            BytesCase { "EmptyLineStops", "Format: 5.0.0\r\n04\ta\r\n09\tb\r\n\r\n02\tlost\r\n" },
            BytesCase { "LfOnly", "Format: 5.0.0\n04\ta\n09\tb\n" },
            BytesCase { "LoneCr", "Format: 5.0.0\r04\ta\r09\tb\r" },
            BytesCase { "NoFinalLineEnd", "Format: 5.0.0\r\n04\ta\r\n09\tb" },
            BytesCase { "EmptyLineAtEnd", "Format: 5.0.0\n04\ta\n09\tb\n\n" }),
        test::CaseName());

    TEST(ListFileTest, SampleStoppingAtEmptyLineLoadsOnlyLineTwo)
    {
        Opened opened(SampleFolder + "stops-at-empty.agl");
        EXPECT_EQ(test::Texts(opened.Document.Tasks.Lines()),
            std::vector<std::string> { "04\tRead before the gap\t\t0\t\t1\t0\t" });
    }

    TEST(ListFileTest, EmptyFileIsEmptyCurrentList)
    {
        TempFolder folder;
        WriteBytes(folder / "l.agl", "");
        Opened opened(folder / "l.agl", { "09\tstale" });
        EXPECT_EQ(opened.Result.What, GetListResult::Status::Loaded);
        EXPECT_TRUE(opened.Document.Tasks.Empty());
        EXPECT_TRUE(opened.User.Asked.empty());
    }

    struct ConvertCase {
        std::string Name;
        std::string Line;
        std::string Expected;
    };

    class ConvertOldLineTest : public ::testing::TestWithParam<ConvertCase> { };

    TEST_P(ConvertOldLineTest, ReplacesOnlyTheDateField)
    {
        EXPECT_EQ(ConvertOldLine(GetParam().Line, Today), GetParam().Expected);
    }

    INSTANTIATE_TEST_SUITE_P(Lines, ConvertOldLineTest,
        ::testing::Values(ConvertCase { "Empty", "", "" }, ConvertCase { "NoTab", "04 task", "04 task" },
            ConvertCase { "FourTabsKept", "04\ta\tb\t1\t19990101", "04\ta\tb\t1\t19990101" },
            ConvertCase { "FiveTabs", "04\ta\tb\t1\t19990101\t", "04\ta\tb\t1\t20260314\t" },
            ConvertCase { "EmptyDateFilled", "04\ta\tb\t0\t\t1\t0\t", "04\ta\tb\t0\t20260314\t1\t0\t" },
            ConvertCase {
                "JunkDateReplaced", "04\ta\tb\t1\tnot a date\t1\t0\tf", "04\ta\tb\t1\t20260314\t1\t0\tf" },
            ConvertCase { "OtherFieldsKept", "x\t\xB6\t\t\t1\t\t\t", "x\t\xB6\t\t\t20260314\t\t\t" }),
        test::CaseName());

    TEST(GetListTest, EmptyNameBecomesUntitledAndKeepsStore)
    {
        ListDocument document { "", false, {} };
        document.Tasks.Add("04\tkept");
        RecentLists recent;
        ScriptedPrompts prompts;
        const GetListResult result = GetList(document, recent, prompts, Today);
        EXPECT_EQ(result.What, GetListResult::Status::Untitled);
        EXPECT_EQ(document.ListName, "New Task List 1");
        EXPECT_EQ(CaptionText(document.ListName), " - New Task List 1");
        EXPECT_EQ(test::Texts(document.Tasks.Lines()), std::vector<std::string> { "04\tkept" });
        EXPECT_EQ(recent[0], "");
    }

    TEST(GetListTest, MissingFileKeepsStoreAndDirtyButNotesRecentList)
    {
        TempFolder folder;
        Opened opened(folder / "gone.agl", { "04\tkept" });
        EXPECT_EQ(opened.Result.What, GetListResult::Status::Missing);
        EXPECT_EQ(test::Texts(opened.Document.Tasks.Lines()), std::vector<std::string> { "04\tkept" });
        EXPECT_TRUE(opened.Document.Dirty);
        EXPECT_EQ(opened.Recent[0], folder / "gone.agl");
    }

    TEST(GetListTest, UnreadableFileFailsAndKeepsStore)
    {
        TempFolder folder;
        Opened opened(folder.Path(), { "04\tkept" });
        EXPECT_EQ(opened.Result.What, GetListResult::Status::Failed);
        EXPECT_NE(opened.Result.Error.Message.find(folder.Path()), std::string::npos)
            << opened.Result.Error.Message;
        EXPECT_EQ(test::Texts(opened.Document.Tasks.Lines()), std::vector<std::string> { "04\tkept" });
    }

    TEST(SaveListTest, FailureKeepsDirtyAndOldFile)
    {
        TempFolder folder;
        const std::string old = EncodeListFile({ "04\told" });
        WriteBytes(folder / "l.agl", old);
        ListDocument document { folder / "l.agl", true, {} };
        document.Tasks.Add("02\tnew");
        FailingFileOps ops(FileStep::Rename, 1, EACCES);

        const FileError error = SaveList(document, ops);

        EXPECT_NE(error.Message.find(folder / "l.agl"), std::string::npos) << error.Message;
        EXPECT_TRUE(document.Dirty);
        EXPECT_EQ(ReadBytes(folder / "l.agl"), old);

        ASSERT_EQ(SaveList(document).Message, "");
        EXPECT_FALSE(document.Dirty);
        EXPECT_EQ(ReadBytes(folder / "l.agl"), EncodeListFile({ "02\tnew" }));
    }

    struct NameCase {
        std::string Name;
        std::string ListName;
        std::string Short;
    };

    class ListNameTest : public ::testing::TestWithParam<NameCase> { };

    TEST_P(ListNameTest, ShortNameCaptionAndTitle)
    {
        EXPECT_EQ(ShortName(GetParam().ListName), GetParam().Short);
        EXPECT_EQ(CaptionText(GetParam().ListName), " - " + GetParam().Short);
        EXPECT_EQ(WindowTitle(GetParam().ListName), GetParam().Short + " - Agendrix");
    }

    INSTANTIATE_TEST_SUITE_P(Paths, ListNameTest,
        ::testing::Values(NameCase { "Empty", "", "" }, NameCase { "FolderOnly", "/lists/", "" },
            NameCase { "DotInFolder", "/a.b/tasks.agl", "tasks" },
            NameCase { "TwoDotsInName", "/x/home.work.agl", "home" },
            NameCase { "NoExtension", "/x/plain", "plain" },
            NameCase { "Untitled", "New Task List 1", "New Task List 1" }),
        test::CaseName());

    // Random bytes, weighted towards the characters the reader looks at.
    std::string Junk(std::mt19937& random)
    {
        static constexpr std::string_view favourites = "\t\t\t\r\n\r\nF0123456789\xB6";
        std::string bytes(random() % 600, '\0');
        for (char& c : bytes) {
            c = random() % 2 == 0 ? favourites[random() % favourites.size()] : static_cast<char>(random());
        }
        if (random() % 2 == 0)
            bytes.insert(0, "Format: " + std::string(1, static_cast<char>('0' + random() % 10)) + ".0.0\r\n");
        return bytes;
    }

    TEST(ListFileTest, BinaryJunkKeepsUnchangedLines)
    {
        std::mt19937 random(20260314);
        for (int round = 0; round < 400; ++round) {
            const std::string bytes = Junk(random);
            SCOPED_TRACE(::testing::PrintToString(bytes));
            const ParsedList parsed = ParseListFile(bytes, Today);
            const std::vector<std::string_view> split = SplitLines(bytes);
            const std::size_t first = parsed.Format == ListFormat::Version1 ? 0 : 1;
            ASSERT_LE(parsed.Loaded.Lines.size() + first, split.size() + (bytes.empty() ? 1 : 0));
            for (std::size_t i = 0; i < parsed.Loaded.Lines.size(); ++i) {
                const std::string_view original = split[first + i];
                const std::string_view line = parsed.Loaded.Lines[i];
                ASSERT_FALSE(original.empty());
                if (parsed.Format == ListFormat::Current) {
                    EXPECT_EQ(line, original);
                } else if (parsed.Format == ListFormat::Version20) {
                    EXPECT_EQ(line, ConvertOldLine(original, Today));
                } else {
                    EXPECT_TRUE(PriorityCode(line).has_value()) << line;
                }
            }
            if (first + parsed.Loaded.Lines.size() < split.size()) {
                EXPECT_TRUE(split[first + parsed.Loaded.Lines.size()].empty());
            }
            // What we write reads back as the same lines.
            const ParsedList again = ParseListFile(EncodeListFile(parsed.Loaded.Lines), Today);
            EXPECT_EQ(again.Format, ListFormat::Current);
            EXPECT_EQ(again.Loaded.Lines, parsed.Loaded.Lines);
        }
    }

} // namespace
} // namespace agendrix
