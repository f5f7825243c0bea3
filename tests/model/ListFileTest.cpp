#include "model/ListFile.h"

#include "ModelTest.h"

namespace agendrix {
namespace {

    const CivilDate Today { 2026, 3, 14 };
    const std::string SampleFolder = std::string(AGENDRIX_TEST_DATA) + "/lists/";

    // The requests with `folder` taken out of the file names their texts give.
    std::vector<PromptRequest> WithoutFolder(std::vector<PromptRequest> asked, const std::string& folder)
    {
        for (PromptRequest& request : asked) {
            for (std::size_t at; (at = request.Text.find(folder + "/")) != std::string::npos;)
                request.Text.erase(at, folder.size() + 1);
        }
        return asked;
    }

    PromptRequest Stopped(std::size_t emptyLine, std::size_t linesAfter)
    {
        return PromptRequest { "Agendrix", ReadStopMessage("l.agl", ReadStop { emptyLine, linesAfter }),
            PromptIcon::Exclamation, PromptButtons::Ok, PromptAnswer::Ok };
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

    TEST(ListFileTest, SaveWritesHeaderAndCrLfLinesOrKeepsDirtyAndTheOldFile)
    {
        TempFolder folder;
        ListDocument document { folder / "l.agl", true, {} };
        ASSERT_EQ(SaveListLocked(document).Message, "");
        EXPECT_FALSE(document.Dirty);
        EXPECT_EQ(ReadBytes(folder / "l.agl"), "Format: 5.0.0\r\n");
        document.Tasks.Load({ "09\tb", "04\ta" });
        document.Dirty = true;
        test::FailingFileOps ops(test::FileStep::Rename, 1, EACCES);
        EXPECT_NE(SaveListLocked(document, ops).Message.find(folder / "l.agl"), std::string::npos);
        EXPECT_TRUE(document.Dirty);
        EXPECT_EQ(ReadBytes(folder / "l.agl"), "Format: 5.0.0\r\n");
        ASSERT_EQ(SaveListLocked(document).Message, "");
        EXPECT_FALSE(document.Dirty);
        EXPECT_EQ(ReadBytes(folder / "l.agl"), "Format: 5.0.0\r\n04\ta\r\n09\tb\r\n");
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
        std::string bytes = "Format: 5.0.0\r\n";
        for (const std::string& line : lines)
            bytes += line + "\r\n";
        TempFolder folder;
        WriteBytes(folder / "in.agl", bytes);

        Opened opened(folder / "in.agl");
        ASSERT_EQ(opened.Result.What, GetListResult::Status::Loaded);
        EXPECT_EQ(Texts(opened.Document.Tasks.Lines()), lines);
        opened.Document.ListName = folder / "out.agl";
        ASSERT_EQ(SaveListLocked(opened.Document).Message, "");
        EXPECT_EQ(ReadBytes(folder / "out.agl"), bytes);
    }

    TEST(ListFileTest, ReadsEveryHeaderVersionUpToTheFirstEmptyLine)
    {
        const std::string dated = "04\ta\t\t1\t19990101\t1\t0\t";
        const std::vector<std::string> kept { dated, "09\tb" };
        const std::vector<std::string> reset { "04\ta\t\t1\t20260314\t1\t0\t", "09\tb" };
        const std::vector<std::string> ab { "04\ta", "09\tb" };
        const std::vector<PromptRequest> none;
        const std::vector<PromptRequest> v20 { InformationMessage(Version20Message()) };
        const std::vector<PromptRequest> v1 { InformationMessage(Version1Message()) };
        const auto file = [&](const char* header) { return CrLf({ header, dated, "09\tb" }); };
        using F = ListFormat;
        const std::tuple<const char*, std::string, F, std::vector<std::string>, std::vector<PromptRequest>>
            cases[] = {
                { "version1EmptyFirstLine", "\r\n08\tafter the empty line\r\n", F::Version1, {},
                    { v1[0], Stopped(1, 1) } },
                { "version20HeaderOnly", "Format: 2.0.0\r\n", F::Version20, {}, none },
                { "version199", file("Format: 1.9.9"), F::Version20, reset, v20 },
                { "version200", file("Format: 2.0.0"), F::Version20, reset, v20 },
                { "version211", file("Format: 2.1.1"), F::Version20, reset, v20 },
                { "emptyFile", "", F::Current, {}, none },
                { "nonDigitVersion", file("Format: X.Y"), F::Current, kept, none },
                { "noVersionText", file("F"), F::Current, kept, none },
                { "version210", file("Format: 2.1.0"), F::Current, kept, none },
                { "version302", file("Format: 3.0.2"), F::Current, kept, none },
                { "version500", file("Format: 5.0.0"), F::Current, kept, none },
                { "emptyLineStops", "Format: 5.0.0\r\n04\ta\r\n09\tb\r\n\r\n02\tlost\r\n", F::Current, ab,
                    { Stopped(4, 1) } },
                { "emptyLinesBeforeMore", "Format: 5.0.0\n04\ta\n09\tb\n\n\n02\tc\n\n03\td", F::Current, ab,
                    { Stopped(4, 2) } },
                { "crCrLfEnds", "Format: 5.0.0\r\r\n04\ta\r\r\n09\tb\r\r\n", F::Current, ab, none },
                { "loneCr", "Format: 5.0.0\r04\ta\r09\tb\r", F::Current, ab, none },
                { "noFinalLineEnd", "Format: 5.0.0\r\n04\ta\r\n09\tb", F::Current, ab, none },
                { "emptyLineAtEnd", "Format: 5.0.0\n04\ta\n09\tb\n\n", F::Current, ab, none },
            };
        for (const auto& [name, bytes, format, lines, told] : cases) {
            TempFolder folder;
            WriteBytes(folder / "l.agl", bytes);
            const Opened opened(folder / "l.agl", { "09\tstale" });
            EXPECT_EQ(opened.Result.What, GetListResult::Status::Loaded) << name;
            EXPECT_EQ(opened.Result.Format, format) << name;
            EXPECT_EQ(Texts(opened.Document.Tasks.Lines()), lines) << name;
            EXPECT_EQ(WithoutFolder(opened.User.Asked, folder.Path()), told) << name;
            EXPECT_FALSE(opened.Document.Dirty) << name;
        }
    }

    TEST(ListFileTest, SampleFilesOfEveryVersion)
    {
        const std::vector<PromptRequest> none;
        using F = ListFormat;
        // Without lines given, the list holds the lines of the file after its first.
        const std::tuple<const char*, const char*, F, std::vector<std::string>, std::vector<PromptRequest>>
            cases[] = {
                { "version1", "v1.agl", F::Version1,
                    { "02\tOld extreme task\tinfo\t1\t20260314\t3\t0\t",
                        "05\tOld middle task\t\xE9t\xE9\t0\t20260314\t1\t0\t",
                        "09\tOld unprioritized task\t\t0\t20260314\t1\t0\t",
                        "10\tOld completed task\t\t0\t20260314\t1\t0\t" },
                    { InformationMessage(Version1Message()) } },
                { "version20", "v20.agl", F::Version20,
                    { "03\tWater the plants\t\t1\t20260314\t2\t0\t",
                        "06\tFix the bike\tRear brake\xB6"
                        "chain\t1\t20260314\t4\t2\t",
                        "09\tNo date" },
                    { InformationMessage(Version20Message()) } },
                { "stopsAtEmptyLine", "stops-at-empty.agl", F::Current,
                    { "04\tRead before the gap\t\t0\t\t1\t0\t" },
                    { PromptRequest { "Agendrix",
                        ReadStopMessage(SampleFolder + "stops-at-empty.agl", ReadStop { 3, 1 }),
                        PromptIcon::Exclamation, PromptButtons::Ok, PromptAnswer::Ok } } },
                { "version21", "v21.agl", F::Current, {}, none },
                { "current", "current.agl", F::Current, {}, none },
            };
        for (const auto& [name, file, format, lines, told] : cases) {
            const std::string path = SampleFolder + file;
            const std::string bytes = ReadBytes(path);
            ListDocument document { path, true, {} };
            RecentLists recent;
            ScriptedPrompts prompts;
            std::size_t linesWhenTold = 0;
            prompts.OnAsk = [&](const PromptRequest& request) {
                if (request.Text == Version1Message() || request.Text == Version20Message())
                    linesWhenTold = document.Tasks.Count();
            };

            const GetListResult result = GetList(document, recent, prompts, Today);

            EXPECT_EQ(result.Format, format) << name;
            const std::vector<std::string_view> fileLines = SplitLines(bytes);
            EXPECT_EQ(Texts(document.Tasks.Lines()),
                lines.empty() ? std::vector<std::string>(fileLines.begin() + 1, fileLines.end()) : lines)
                << name;
            EXPECT_EQ(prompts.Asked, told) << name;
            // The version 2.0 message comes before the lines are in the list, version 1's after.
            EXPECT_EQ(linesWhenTold, format == ListFormat::Version1 ? document.Tasks.Count() : 0u) << name;
            EXPECT_FALSE(document.Dirty) << name;
            EXPECT_EQ(recent[0], path) << name;
        }
        // A current file is written back exactly as it was read.
        TempFolder folder;
        Opened opened(SampleFolder + "current.agl");
        opened.Document.ListName = folder / "copy.agl";
        ASSERT_EQ(SaveListLocked(opened.Document).Message, "");
        EXPECT_EQ(ReadBytes(folder / "copy.agl"), ReadBytes(SampleFolder + "current.agl"));
    }

    TEST(ListFileTest, Utf8MarkIsSkippedAndTheTextConverted)
    {
        const std::string mark = "\xEF\xBB\xBF";
        using F = ListFormat;
        const auto exact = Utf8ListMessage("l.agl", Lossiness::Exact);
        const auto replaced = Utf8ListMessage("l.agl", Lossiness::Replaced);
        const std::tuple<const char*, std::string, F, std::vector<std::string>, std::vector<std::string>>
            cases[] = {
                { "markOnly", mark, F::Current, {}, { exact } },
                { "notUtf8AfterMark", mark + "Format: 5.0.0\r\n04\tCaf\xE9\r\n", F::Current, { "04\tCaf?" },
                    { replaced } },
                { "currentHeader", mark + "Format: 5.0.0\r\n04\tCaf\xC3\xA9 \xE2\x82\xAC\xC2\xB6\r\n",
                    F::Current, { "04\tCaf\xE9 \x80\xB6" }, { exact } },
                { "unmappable", mark + "Format: 5.0.0\n04\tDone \xE2\x9C\x93\n", F::Current, { "04\tDone ?" },
                    { replaced } },
                { "version1", mark + "06\ttask\t\t0\t19990101\t1\t0\t\r\n", F::Version1,
                    { "04\ttask\t\t0\t20260314\t1\t0\t" }, { exact, Version1Message() } },
            };
        for (const auto& [name, bytes, format, lines, texts] : cases) {
            TempFolder folder;
            WriteBytes(folder / "l.agl", bytes);
            const Opened opened(folder / "l.agl");
            EXPECT_EQ(opened.Result.What, GetListResult::Status::Loaded) << name;
            EXPECT_EQ(opened.Result.Encoding, SourceEncoding::Utf8) << name;
            EXPECT_EQ(opened.Result.Format, format) << name;
            EXPECT_EQ(Texts(opened.Document.Tasks.Lines()), lines) << name;
            std::vector<std::string> told;
            for (const PromptRequest& request : WithoutFolder(opened.User.Asked, folder.Path()))
                told.push_back(request.Text);
            EXPECT_EQ(told, texts) << name;
            EXPECT_FALSE(opened.Document.Dirty) << name;
        }
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

    TEST(ListFileTest, OldLinesGetTodayAsDateAndVersion1CodesAreInverted)
    {
        // A line, as a version 2.0 file converts it and as a version 1 file does.
        const std::tuple<const char*, std::string, std::string, std::string> cases[] = {
            { "empty", "", "", "10" },
            { "noTab", "04 task", "04 task", "06 task" },
            { "junkCode", "zz\tx", "zz\tx", "10\tx" },
            { "codePastTen", "42\tx", "42\tx", "00\tx" },
            { "fourTabsKept", "04\ta\tb\t1\t19990101", "04\ta\tb\t1\t19990101", "06\ta\tb\t1\t19990101" },
            { "fiveTabs", "04\ta\tb\t1\t19990101\t", "04\ta\tb\t1\t20260314\t", "06\ta\tb\t1\t20260314\t" },
            { "emptyDateFilled", "04\ta\tb\t0\t\t1\t0\t", "04\ta\tb\t0\t20260314\t1\t0\t",
                "06\ta\tb\t0\t20260314\t1\t0\t" },
            { "junkDateReplaced", "04\ta\tb\t1\tnot a date\t1\t0\tf", "04\ta\tb\t1\t20260314\t1\t0\tf",
                "06\ta\tb\t1\t20260314\t1\t0\tf" },
            { "otherFieldsKept", "xx\t\xB6\t\t\t1\t\t\t", "xx\t\xB6\t\t\t20260314\t\t\t",
                "10\t\xB6\t\t\t20260314\t\t\t" },
        };
        for (const auto& [name, line, old, version1] : cases) {
            EXPECT_EQ(ConvertOldLine(line, Today), old) << name;
            EXPECT_EQ(ConvertVersion1Line(line, Today), version1) << name;
        }
    }

    TEST(GetListTest, EmptyMissingAndUnreadableNamesKeepTheList)
    {
        ListDocument document { "", false, {} };
        document.Tasks.Add("04\tkept");
        RecentLists recent;
        ScriptedPrompts prompts;
        EXPECT_EQ(GetList(document, recent, prompts, Today).What, GetListResult::Status::Untitled);
        EXPECT_EQ(document.ListName, "New Task List 1");
        EXPECT_EQ(Texts(document.Tasks.Lines()), std::vector<std::string> { "04\tkept" });
        EXPECT_EQ(recent[0], "");

        TempFolder folder;
        const Opened missing(folder / "gone.agl", { "04\tkept" });
        EXPECT_EQ(missing.Result.What, GetListResult::Status::Missing);
        EXPECT_EQ(Texts(missing.Document.Tasks.Lines()), std::vector<std::string> { "04\tkept" });
        EXPECT_TRUE(missing.Document.Dirty);
        EXPECT_EQ(missing.Recent[0], folder / "gone.agl");

        // A command line naming a missing file leaves its folder, which opens as no file at all.
        const Opened onlyFolder(folder.Path() + "/", { "04\tkept" });
        EXPECT_EQ(onlyFolder.Result.What, GetListResult::Status::Missing);
        EXPECT_TRUE(onlyFolder.User.Asked.empty());
        EXPECT_EQ(Texts(onlyFolder.Document.Tasks.Lines()), std::vector<std::string> { "04\tkept" });

        WriteBytes(folder / "l.agl", "Format: 5.0.0\r\n04\tnew\r\n");
        ListDocument document2 { folder / "l.agl", true, {} };
        document2.Tasks.Add("04\tkept");
        test::FailingFileOps ops(test::FileStep::Read, 1, EIO);
        const GetListResult unreadable = GetList(document2, recent, prompts, Today, ops);
        EXPECT_EQ(unreadable.What, GetListResult::Status::Failed);
        EXPECT_NE(unreadable.Error.Message.find(folder / "l.agl"), std::string::npos);
        EXPECT_EQ(Texts(document2.Tasks.Lines()), std::vector<std::string> { "04\tkept" });
        EXPECT_TRUE(document2.Dirty);
    }

    TEST(ListFileTest, ShortNameCaptionAndTitle)
    {
        const std::tuple<const char*, const char*, std::string> cases[] = {
            { "empty", "", "" },
            { "folderOnly", "/lists/", "" },
            { "dotInFolder", "/a.b/tasks.agl", "tasks" },
            { "twoDotsInName", "/x/home.work.agl", "home" },
            { "noExtension", "/x/plain", "plain" },
            { "untitled", "New Task List 1", "New Task List 1" },
        };
        for (const auto& [name, listName, shortName] : cases) {
            EXPECT_EQ(ShortName(listName), shortName) << name;
            EXPECT_EQ(CaptionText(listName), " - " + shortName) << name;
            EXPECT_EQ(WindowTitle(listName), shortName + " - Agendrix") << name;
        }
    }

} // namespace
} // namespace agendrix
