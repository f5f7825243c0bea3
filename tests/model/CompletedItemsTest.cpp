#include "model/CompletedItems.h"

#include "model/ListFile.h"

#include "ModelTest.h"

namespace agendrix {
namespace {

    // 3 December 2026, 09:05:07.
    const DateTime Now { { 2026, 12, 3 }, 9 * 3600 + 5 * 60 + 7 };

    const std::string Open1 = "04\tKeep me\t\t0\t\t1\t0\t";
    const std::string Open2 = "09\tAlso keep\t\t0\t\t1\t0\t";
    const std::string Done1 = "10\t2026/01/05 - Alpha\t\t0\t\t1\t0\t";
    const std::string Done2 = "10\t2026/02/07 - Beta \xE9\t\t0\t\t1\t0\t";

    // A saved list "home.agl" with two open and two completed tasks, in a folder of its own.
    struct Scene {
        Scene() { Document.Tasks.Load({ Open1, Open2, Done1, Done2 }); }

        ExportResult Export(FileOps& ops = SystemFileOps())
        {
            return ExportCompleted(Document, User, Now, ops);
        }
        PromptRequest Saved() const
        {
            return InformationMessage("Completed items have been saved to:\n" + Cti);
        }

        test::TempFolder Folder;
        ListDocument Document { Folder / "home.agl", false, {} };
        std::string Cti = Folder / "home.cti";
        test::ScriptedPrompts User;
    };

    TEST(CompletedItemsTest, CompanionAndOlderFileNames)
    {
        const std::tuple<const char*, const char*, const char*> cases[] = {
            { "dotOnlyInFolder", "/a.b/tasks", "/a.b/tasks.cti" },
            { "agl", "/l/home.agl", "/l/home.cti" },
            { "twoDots", "/l/home.work.agl", "/l/home.work.cti" },
            { "cti", "/l/done.cti", "/l/done.cti" },
        };
        for (const auto& [name, listName, cti] : cases)
            EXPECT_EQ(CompletedItemsPath(listName), cti) << name;

        EXPECT_EQ(OlderCompletedItemsName("/l/home.cti", Now), "/l/home2026123957.CTI");
        EXPECT_EQ(
            OlderCompletedItemsName("/l/home.cti", DateTime { { 2027, 1, 9 }, 0 }), "/l/home202719000.CTI");
        EXPECT_EQ(OlderCompletedItemsName("/l/x.cti", DateTime { { 2026, 10, 31 }, 86399 }),
            "/l/x20261031235959.CTI");
    }

    TEST(CompletedItemsTest, UnsavedListIsRefused)
    {
        Scene scene;
        scene.Document.ListName = std::string(NewListName);
        EXPECT_EQ(scene.Export().What, ExportResult::Status::NotSaved);
        EXPECT_EQ(scene.User.Asked,
            std::vector { InformationMessage("You must save the list before exporting items") });
        EXPECT_EQ(scene.Document.Tasks.Count(), 4u);
        EXPECT_FALSE(scene.Document.Dirty);
        EXPECT_TRUE(scene.Folder.Names().empty());
    }

    TEST(CompletedItemsTest, NothingCompletedAtTheEndIsNeitherExportedNorPurged)
    {
        const std::tuple<const char*, std::vector<std::string>> cases[] = {
            { "emptyList", {} },
            { "brokenCodeLast", { Open1, "zz\tjunk code" } },
            { "noCompletedTail", { Open1, Open2 } },
        };
        const PromptRequest nothing = InformationMessage("No completed items found.");
        for (const auto& [name, lines] : cases) {
            Scene scene;
            scene.Document.Tasks.Load(lines);
            EXPECT_EQ(scene.Export().What, ExportResult::Status::NothingToExport) << name;
            EXPECT_EQ(PurgeCompleted(scene.Document, scene.User), PurgeResult::NothingToPurge) << name;
            EXPECT_EQ(scene.User.Asked, (std::vector { nothing, nothing })) << name;
            EXPECT_EQ(Texts(scene.Document.Tasks.Lines()), lines) << name;
            EXPECT_FALSE(scene.Document.Dirty) << name;
            EXPECT_TRUE(scene.Folder.Names().empty()) << name;
        }
    }

    TEST(CompletedItemsTest, ExportTwiceMovesTheCompletedTailAndAppends)
    {
        Scene scene;
        const ExportResult result = scene.Export();
        EXPECT_EQ(result.What, ExportResult::Status::Exported);
        EXPECT_EQ(result.Count, 2u);
        EXPECT_EQ(result.CtiPath, scene.Cti);
        EXPECT_EQ(ReadBytes(scene.Cti), CrLf({ "Format: 5.0.0", Done2, Done1 })); // taken from the end
        EXPECT_EQ(Texts(scene.Document.Tasks.Lines()), (std::vector { Open1, Open2 }));
        EXPECT_TRUE(scene.Document.Dirty);
        EXPECT_EQ(scene.User.Asked, std::vector { scene.Saved() });
        EXPECT_EQ(scene.Folder.Names(), std::vector<std::string> { "home.cti" });

        // A list of completed tasks only: all of them go, after the earlier ones, with no header.
        const std::string done3 = "10\t2026/03/01 - Gamma\t\t0\t\t1\t0\t";
        scene.Document.Tasks.Load({ done3 });
        scene.Document.Dirty = false;
        EXPECT_EQ(scene.Export().Count, 1u);
        EXPECT_TRUE(scene.Document.Tasks.Empty());
        EXPECT_TRUE(scene.Document.Dirty);
        EXPECT_EQ(ReadBytes(scene.Cti), CrLf({ "Format: 5.0.0", Done2, Done1, done3 }));
        EXPECT_EQ(scene.User.Asked, (std::vector { scene.Saved(), scene.Saved() }));
    }

    TEST(CompletedItemsTest, OlderFileIsRenamedCurrentFileIsAppended)
    {
        const PromptRequest older { "Agendrix",
            "A completed task items list in an older format already exists. It will be renamed to avoid "
            "overwriting.",
            PromptIcon::None, PromptButtons::Ok, PromptAnswer::Ok };
        // The file's first line, and whether it is of an older format.
        const std::tuple<const char*, std::string, bool> cases[] = {
            { "empty", "", true },
            { "noHeader", "08\tversion 1 line", true },
            { "version200", "Format: 2.0.0", true },
            { "version302", "Format: 3.0.2", true },
            { "version420", "Format: 4.2.0", true },
            { "version210", "Format: 2.1.0", false },
            { "version300", "Format: 3.0.0", false },
            { "version500", "Format: 5.0.0", false },
        };
        for (const auto& [name, header, isOlder] : cases) {
            Scene scene;
            const std::string old = CrLf({ header, "10\tfrom before" });
            WriteBytes(scene.Cti, old);
            EXPECT_EQ(scene.Export().What, ExportResult::Status::Exported) << name;
            if (isOlder) {
                EXPECT_EQ(scene.User.Asked, (std::vector { older, scene.Saved() })) << name;
                EXPECT_EQ(ReadBytes(scene.Folder / "home2026123957.CTI"), old) << name;
                EXPECT_EQ(ReadBytes(scene.Cti), CrLf({ "Format: 5.0.0", Done2, Done1 })) << name;
                EXPECT_EQ(
                    scene.Folder.Names(), (std::vector<std::string> { "home.cti", "home2026123957.CTI" }))
                    << name;
            } else {
                EXPECT_EQ(scene.User.Asked, std::vector { scene.Saved() }) << name;
                EXPECT_EQ(ReadBytes(scene.Cti), old + CrLf({ Done2, Done1 })) << name;
                EXPECT_EQ(scene.Folder.Names(), std::vector<std::string> { "home.cti" }) << name;
            }
        }
        Scene unterminated; // a current file without a final line end gets one
        WriteBytes(unterminated.Cti, "Format: 5.0.0\r\n10\tolder");
        EXPECT_EQ(unterminated.Export().What, ExportResult::Status::Exported);
        EXPECT_EQ(ReadBytes(unterminated.Cti), CrLf({ "Format: 5.0.0", "10\tolder", Done2, Done1 }));
    }

    TEST(CompletedItemsTest, TakenDatedNameIsNeverOverwritten)
    {
        Scene scene;
        const std::string old = CrLf({ "Format: 4.2.0", "10\tfrom before" });
        WriteBytes(scene.Cti, old);
        WriteBytes(scene.Folder / "home2026123957.CTI", "keep me");

        EXPECT_EQ(scene.Export().What, ExportResult::Status::Exported);

        EXPECT_EQ(ReadBytes(scene.Folder / "home2026123957.CTI"), "keep me");
        EXPECT_EQ(ReadBytes(scene.Cti), CrLf({ "Format: 5.0.0", Done2, Done1 }));
        EXPECT_EQ(ReadBytes(scene.Folder / "home2026123957-2.CTI"), old); // numbered when taken
        EXPECT_EQ(scene.Folder.Names(),
            (std::vector<std::string> { "home.cti", "home2026123957-2.CTI", "home2026123957.CTI" }));
    }

    TEST(CompletedItemsTest, FailureKeepsTasksInListAndFileAsItWas)
    {
        // The first line of the existing file, the step that fails, and what the message says
        // besides the file's name.
        const std::tuple<const char*, const char*, FileStep, int, std::string> cases[] = {
            { "readExisting", "Format: 5.0.0", FileStep::Read, EIO, std::strerror(EIO) },
            { "renameOlderFile", "Format: 4.2.0", FileStep::RenameNoReplace, EACCES, std::strerror(EACCES) },
            { "saveWrite", "Format: 5.0.0", FileStep::Write, ENOSPC, std::strerror(ENOSPC) },
            // The older file was already moved aside when the new one could not be written.
            { "saveAfterMovingOlderFile", "Format: 4.2.0", FileStep::Write, ENOSPC, std::strerror(ENOSPC) },
        };
        for (const auto& [name, header, step, errorNumber, reason] : cases) {
            Scene scene;
            const std::string old = CrLf({ header, "10\tfrom before" });
            WriteBytes(scene.Cti, old);
            test::FailingFileOps ops(step, 1, errorNumber);

            const ExportResult result = scene.Export(ops);

            EXPECT_EQ(result.What, ExportResult::Status::Failed) << name;
            EXPECT_EQ(result.Error.ErrorNumber, errorNumber) << name;
            EXPECT_EQ(scene.Document.Tasks.Count(), 4u) << name;
            EXPECT_FALSE(scene.Document.Dirty) << name;
            EXPECT_EQ(ReadBytes(scene.Cti), old) << name;
            EXPECT_EQ(scene.Folder.Names(), std::vector<std::string> { "home.cti" }) << name;
            ASSERT_FALSE(scene.User.Asked.empty()) << name;
            const PromptRequest& told = scene.User.Asked.back();
            EXPECT_EQ(told.Icon, PromptIcon::Critical) << name;
            EXPECT_EQ(told.Buttons, PromptButtons::Ok) << name;
            EXPECT_NE(told.Text.find(scene.Cti), std::string::npos) << told.Text;
            EXPECT_NE(told.Text.find(reason), std::string::npos) << told.Text;
        }
    }

    // When the list cannot be saved after an export, the completed-items file gets back exactly
    // what it held, under its own name, so that a retry does not add the tasks twice.
    TEST(CompletedItemsTest, RestoreGivesTheFileBackAsItWas)
    {
        const std::tuple<const char*, std::optional<std::string>> cases[] = {
            { "noFileBefore", std::nullopt },
            { "currentFile", CrLf({ "Format: 5.0.0", "10\tfrom before" }) },
            { "currentFileWithoutFinalLineEnd", "Format: 3.0.0\r\n10\tfrom before" },
            { "olderFileMovedAside", CrLf({ "Format: 4.2.0", "10\told" }) },
        };
        for (const auto& [name, before] : cases) {
            Scene scene;
            if (before)
                WriteBytes(scene.Cti, *before);
            const std::vector<std::string> namesBefore = scene.Folder.Names();

            const ExportResult result = scene.Export();
            ASSERT_EQ(result.What, ExportResult::Status::Exported) << name;
            EXPECT_NE(ReadBytes(scene.Cti), before.value_or("")) << name;
            EXPECT_EQ(RestoreCompletedItems(result).Message, "") << name;

            EXPECT_EQ(scene.Folder.Names(), namesBefore) << name;
            if (before) {
                EXPECT_EQ(ReadBytes(scene.Cti), *before) << name;
            }
        }
    }

    TEST(CompletedItemsTest, PurgeAsksAndRemovesOnlyTheCompletedTail)
    {
        const PromptRequest question { "Purge Completed Items",
            "Are you sure you would like to permanently remove all tasks in the current list marked as "
            "Complete?",
            PromptIcon::Exclamation, PromptButtons::YesNo, PromptAnswer::Yes };
        Scene scene;
        scene.User.Answers = { PromptAnswer::No, PromptAnswer::Yes };
        EXPECT_EQ(PurgeCompleted(scene.Document, scene.User), PurgeResult::Declined);
        EXPECT_EQ(Texts(scene.Document.Tasks.Lines()), (std::vector { Open1, Open2, Done1, Done2 }));
        EXPECT_FALSE(scene.Document.Dirty);

        EXPECT_EQ(PurgeCompleted(scene.Document, scene.User), PurgeResult::Purged);
        EXPECT_EQ(Texts(scene.Document.Tasks.Lines()), (std::vector { Open1, Open2 }));
        EXPECT_TRUE(scene.Document.Dirty);
        EXPECT_EQ(scene.User.Asked, (std::vector { question, question }));
        EXPECT_TRUE(scene.Folder.Names().empty());
    }

    TEST(CompletedItemsTest, DroppingFromTheEndTakesOnlyTheCompletedTail)
    {
        const std::string odd = "x4\tUnreadable code\t\t0\t\t1\t0\t"; // sorts after "10"
        const std::tuple<const char*, std::vector<std::string>, std::size_t, std::vector<std::string>> cases[]
            = {
                  { "emptyList", {}, 0, {} },
                  { "nothingCompleted", { Open1, Open2 }, 0, { Open1, Open2 } },
                  { "completedBeforeAnOddLine", { Open1, Done1, odd }, 0, { Open1, Done1, odd } },
                  { "oneCompleted", { Done1, Open1 }, 1, { Open1 } },
                  { "completedTail", { Done2, Open1, Done1, Open2 }, 2, { Open1, Open2 } },
                  { "onlyCompleted", { Done1, Done2 }, 2, {} },
              };
        for (const auto& [name, lines, dropped, kept] : cases) {
            ListDocument document;
            document.Tasks.Load(lines);
            EXPECT_EQ(DropCompletedFromTheEnd(document), dropped) << name;
            EXPECT_EQ(Texts(document.Tasks.Lines()), kept) << name;
            EXPECT_EQ(document.Dirty, dropped > 0) << name;
        }
    }

} // namespace
} // namespace agendrix
