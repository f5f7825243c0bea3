#include "model/CompletedItems.h"

#include "model/ListFile.h"

#include "TestSupport.h"

namespace agendrix {
namespace {

    using test::CrLf;
    using test::FailingFileOps;
    using test::FileStep;
    using test::InformationMessage;
    using test::ReadBytes;
    using test::ScriptedPrompts;
    using test::TempFolder;
    using test::WriteBytes;

    // 3 December 2026, 09:05:07.
    const DateTime Now { { 2026, 12, 3 }, 9 * 3600 + 5 * 60 + 7 };

    const std::string Open1 = "04\tKeep me\t\t0\t\t1\t0\t";
    const std::string Open2 = "09\tAlso keep\t\t0\t\t1\t0\t";
    const std::string Done1 = "10\t2026/01/05 - Alpha\t\t0\t\t1\t0\t";
    const std::string Done2 = "10\t2026/02/07 - Beta \xE9\t\t0\t\t1\t0\t";

    const std::string OlderFormatMessage = "A completed task items list in an older format already exists. "
                                           "It will be renamed to avoid overwriting.";

    class CompletedItemsTest : public ::testing::Test {
    protected:
        CompletedItemsTest() { Document.Tasks.Load({ Open1, Open2, Done1, Done2 }); }

        ExportResult Export(FileOps& ops = SystemFileOps())
        {
            return ExportCompleted(Document, User, Now, ops);
        }

        TempFolder Folder;
        ListDocument Document { Folder / "home.agl", false, {} };
        std::string Cti = Folder / "home.cti";
        ScriptedPrompts User;
    };

    struct PathCase {
        std::string Name;
        std::string ListName;
        std::string Expected;
    };

    class CompletedItemsPathTest : public ::testing::TestWithParam<PathCase> { };

    TEST_P(CompletedItemsPathTest, ReplacesTheLastExtension)
    {
        EXPECT_EQ(CompletedItemsPath(GetParam().ListName), GetParam().Expected);
    }

    INSTANTIATE_TEST_SUITE_P(Paths, CompletedItemsPathTest,
        ::testing::Values(PathCase { "DotOnlyInFolder", "/a.b/tasks", "/a.b/tasks.cti" },
            PathCase { "Agl", "/l/home.agl", "/l/home.cti" },
            PathCase { "TwoDots", "/l/home.work.agl", "/l/home.work.cti" },
            PathCase { "Cti", "/l/done.cti", "/l/done.cti" }),
        test::CaseName());

    TEST(OlderCompletedItemsNameTest, AppendsDateAndTimeWithoutPadding)
    {
        EXPECT_EQ(OlderCompletedItemsName("/l/home.cti", Now), "/l/home2026123957.CTI");
        EXPECT_EQ(
            OlderCompletedItemsName("/l/home.cti", DateTime { { 2027, 1, 9 }, 0 }), "/l/home202719000.CTI");
        EXPECT_EQ(OlderCompletedItemsName("/l/x.cti", DateTime { { 2026, 10, 31 }, 86399 }),
            "/l/x20261031235959.CTI");
    }

    TEST_F(CompletedItemsTest, UnsavedListIsRefused)
    {
        Document.ListName = std::string(NewListName);
        EXPECT_EQ(Export().What, ExportResult::Status::NotSaved);
        EXPECT_EQ(
            User.Asked, std::vector { InformationMessage("You must save the list before exporting items") });
        EXPECT_EQ(Document.Tasks.Count(), 4u);
        EXPECT_FALSE(Document.Dirty);
        EXPECT_TRUE(Folder.Names().empty());
    }

    struct ListCase {
        std::string Name;
        std::vector<std::string> Lines;
    };

    class NothingCompletedTest : public CompletedItemsTest,
                                 public ::testing::WithParamInterface<ListCase> { };

    TEST_P(NothingCompletedTest, ExportTellsAndWritesNothing)
    {
        Document.Tasks.Load(GetParam().Lines);
        EXPECT_EQ(Export().What, ExportResult::Status::NothingToExport);
        ASSERT_EQ(User.Asked.size(), 1u);
        EXPECT_EQ(User.Asked[0].Text, "No completed items found.");
        EXPECT_EQ(test::Texts(Document.Tasks.Lines()), GetParam().Lines);
        EXPECT_FALSE(Document.Dirty);
        EXPECT_TRUE(Folder.Names().empty());
    }

    TEST_P(NothingCompletedTest, PurgeTellsAndAsksNothing)
    {
        Document.Tasks.Load(GetParam().Lines);
        EXPECT_EQ(PurgeCompleted(Document, User), PurgeResult::NothingToPurge);
        EXPECT_EQ(User.Asked, std::vector { InformationMessage("No completed items found.") });
        EXPECT_EQ(test::Texts(Document.Tasks.Lines()), GetParam().Lines);
        EXPECT_FALSE(Document.Dirty);
    }

    INSTANTIATE_TEST_SUITE_P(Lists, NothingCompletedTest,
        ::testing::Values(ListCase { "EmptyList", {} }, ListCase { "NoCompletedTail", { Open1, Open2 } },
            ListCase { "BrokenCodeLast", { Open1, "zz\tjunk code" } }),
        test::CaseName());

    TEST_F(CompletedItemsTest, ExportMovesCompletedTailInDescendingOrder)
    {
        const ExportResult result = Export();

        EXPECT_EQ(result.What, ExportResult::Status::Exported);
        EXPECT_EQ(result.Count, 2u);
        EXPECT_EQ(result.CtiPath, Cti);
        EXPECT_EQ(ReadBytes(Cti), CrLf({ "Format: 5.0.0", Done2, Done1 }));
        EXPECT_EQ(test::Texts(Document.Tasks.Lines()), (std::vector { Open1, Open2 }));
        EXPECT_TRUE(Document.Dirty);
        EXPECT_EQ(
            User.Asked, std::vector { InformationMessage("Completed items have been saved to:\n" + Cti) });
        EXPECT_EQ(Folder.Names(), std::vector<std::string> { "home.cti" });
    }

    TEST_F(CompletedItemsTest, ExportOfOnlyCompletedTasksEmptiesTheList)
    {
        Document.Tasks.Load({ Done1 });
        EXPECT_EQ(Export().Count, 1u);
        EXPECT_TRUE(Document.Tasks.Empty());
        EXPECT_EQ(ReadBytes(Cti), CrLf({ "Format: 5.0.0", Done1 }));
    }

    TEST_F(CompletedItemsTest, SecondExportAppendsWithoutSecondHeader)
    {
        ASSERT_EQ(Export().What, ExportResult::Status::Exported);
        const std::string done3 = "10\t2026/03/01 - Gamma\t\t0\t\t1\t0\t";
        Document.Tasks.Add(done3);
        Document.Dirty = false;

        EXPECT_EQ(Export().Count, 1u);

        EXPECT_EQ(ReadBytes(Cti), CrLf({ "Format: 5.0.0", Done2, Done1, done3 }));
        EXPECT_TRUE(Document.Dirty);
        EXPECT_EQ(User.Asked.size(), 2u);
    }

    TEST_F(CompletedItemsTest, ExistingFileWithoutFinalLineEndGetsOne)
    {
        WriteBytes(Cti, "Format: 5.0.0\r\n10\tolder");
        Export();
        EXPECT_EQ(ReadBytes(Cti), CrLf({ "Format: 5.0.0", "10\tolder", Done2, Done1 }));
    }

    struct HeaderCase {
        std::string Name;
        std::string Header;
        bool Older;
    };

    class ExistingHeaderTest : public CompletedItemsTest,
                               public ::testing::WithParamInterface<HeaderCase> { };

    TEST_P(ExistingHeaderTest, OlderFileIsRenamedCurrentFileIsAppended)
    {
        const std::string old = CrLf({ GetParam().Header, "10\tfrom before" });
        WriteBytes(Cti, old);

        EXPECT_EQ(Export().What, ExportResult::Status::Exported);

        const PromptRequest saved = InformationMessage("Completed items have been saved to:\n" + Cti);
        if (GetParam().Older) {
            EXPECT_EQ(User.Asked,
                (std::vector { PromptRequest { "Agendrix", OlderFormatMessage, PromptIcon::None,
                                   PromptButtons::Ok, PromptAnswer::Ok },
                    saved }));
            EXPECT_EQ(ReadBytes(Folder / "home2026123957.CTI"), old);
            EXPECT_EQ(ReadBytes(Cti), CrLf({ "Format: 5.0.0", Done2, Done1 }));
            EXPECT_EQ(Folder.Names(), (std::vector<std::string> { "home.cti", "home2026123957.CTI" }));
        } else {
            EXPECT_EQ(User.Asked, std::vector { saved });
            EXPECT_EQ(ReadBytes(Cti), old + CrLf({ Done2, Done1 }));
            EXPECT_EQ(Folder.Names(), std::vector<std::string> { "home.cti" });
        }
    }

    INSTANTIATE_TEST_SUITE_P(Headers, ExistingHeaderTest,
        ::testing::Values(HeaderCase { "Empty", "", true },
            HeaderCase { "NoHeader", "08\tversion 1 line", true },
            HeaderCase { "Version200", "Format: 2.0.0", true },
            HeaderCase { "Version302", "Format: 3.0.2", true },
            HeaderCase { "Version420", "Format: 4.2.0", true },
            HeaderCase { "Version210", "Format: 2.1.0", false },
            HeaderCase { "Version300", "Format: 3.0.0", false },
            HeaderCase { "Version500", "Format: 5.0.0", false }),
        test::CaseName());

    TEST_F(CompletedItemsTest, TakenDatedNameIsNeverOverwritten)
    {
        const std::string old = CrLf({ "Format: 4.2.0", "10\tfrom before" });
        WriteBytes(Cti, old);
        WriteBytes(Folder / "home2026123957.CTI", "keep me");

        EXPECT_EQ(Export().What, ExportResult::Status::Exported);

        EXPECT_EQ(ReadBytes(Folder / "home2026123957.CTI"), "keep me");
        EXPECT_EQ(ReadBytes(Cti), CrLf({ "Format: 5.0.0", Done2, Done1 }));
        std::vector<std::string> moved;
        for (const std::string& name : Folder.Names()) {
            if (name != "home.cti" && name != "home2026123957.CTI" && ReadBytes(Folder / name) == old)
                moved.push_back(name);
        }
        ASSERT_EQ(moved.size(), 1u);
        EXPECT_TRUE(moved[0].starts_with("home2026123957") && moved[0].ends_with(".CTI")) << moved[0];
        EXPECT_EQ(Folder.Names().size(), 3u);
    }

    TEST_F(CompletedItemsTest, FailedSaveKeepsTasksInList)
    {
        const std::string old = CrLf({ "Format: 5.0.0", "10\tfrom before" });
        WriteBytes(Cti, old);
        FailingFileOps ops(FileStep::Write, 1, ENOSPC);

        const ExportResult result = Export(ops);

        EXPECT_EQ(result.What, ExportResult::Status::Failed);
        EXPECT_EQ(result.Error.ErrorNumber, ENOSPC);
        EXPECT_EQ(Document.Tasks.Count(), 4u);
        EXPECT_FALSE(Document.Dirty);
        EXPECT_EQ(ReadBytes(Cti), old);
        EXPECT_EQ(Folder.Names(), std::vector<std::string> { "home.cti" });
        ASSERT_EQ(User.Asked.size(), 1u);
        EXPECT_EQ(User.Asked[0].Icon, PromptIcon::Critical);
        EXPECT_NE(User.Asked[0].Text.find(Cti), std::string::npos) << User.Asked[0].Text;
    }

    TEST_F(CompletedItemsTest, FailedRenameOfOlderFileKeepsEverything)
    {
        const std::string old = CrLf({ "Format: 4.2.0", "10\tfrom before" });
        WriteBytes(Cti, old);
        FailingFileOps ops(FileStep::RenameNoReplace, 1, EACCES);

        EXPECT_EQ(Export(ops).What, ExportResult::Status::Failed);

        EXPECT_EQ(Document.Tasks.Count(), 4u);
        EXPECT_FALSE(Document.Dirty);
        EXPECT_EQ(ReadBytes(Cti), old);
        EXPECT_EQ(Folder.Names(), std::vector<std::string> { "home.cti" });
        EXPECT_EQ(User.Asked.back().Icon, PromptIcon::Critical);
    }

    const PromptRequest PurgeQuestion { "Purge Completed Items",
        "Are you sure you would like to permanently remove all tasks in the current list marked as Complete?",
        PromptIcon::Exclamation, PromptButtons::YesNo, PromptAnswer::Yes };

    TEST_F(CompletedItemsTest, PurgeDeclinedKeepsEverything)
    {
        User.Answers = { PromptAnswer::No };
        EXPECT_EQ(PurgeCompleted(Document, User), PurgeResult::Declined);
        EXPECT_EQ(User.Asked, std::vector { PurgeQuestion });
        EXPECT_EQ(test::Texts(Document.Tasks.Lines()), (std::vector { Open1, Open2, Done1, Done2 }));
        EXPECT_FALSE(Document.Dirty);
    }

    TEST_F(CompletedItemsTest, PurgeConfirmedRemovesOnlyCompletedTail)
    {
        User.Answers = { PromptAnswer::Yes };
        EXPECT_EQ(PurgeCompleted(Document, User), PurgeResult::Purged);
        EXPECT_EQ(User.Asked, std::vector { PurgeQuestion });
        EXPECT_EQ(test::Texts(Document.Tasks.Lines()), (std::vector { Open1, Open2 }));
        EXPECT_TRUE(Document.Dirty);
        EXPECT_TRUE(Folder.Names().empty());
    }

} // namespace
} // namespace agendrix
