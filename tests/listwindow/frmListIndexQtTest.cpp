#include "ListWindowFixture.h"
#include "QtSuites.h"

#include "geometry/ControlBarZones.h"
#include "model/ListIndex.h"
#include "model/TaskLine.h"

#include <QTest>

#include <utime.h>

namespace agendrix {

namespace {

    // Writes a list of one task modified `hour` o'clock on 2026-12-01, local time.
    void WriteList(const std::string& path, const std::string& task, int hour)
    {
        SaveFileAtomically(path, ListHeader + "05\t" + task + "\t\t0\t\t\t\t\r\n");
        std::tm local {};
        local.tm_year = 126;
        local.tm_mon = 11;
        local.tm_mday = 1;
        local.tm_hour = hour;
        local.tm_isdst = -1;
        const std::time_t when = std::mktime(&local);
        const utimbuf times { when, when };
        QVERIFY(::utime(path.c_str(), &times) == 0);
    }

    std::vector<std::string> Descriptions(const frmList& window)
    {
        std::vector<std::string> shown;
        for (const std::string_view line : window.Document().Tasks.Lines())
            shown.emplace_back(GetField(line, TaskField::Description));
        return shown;
    }

    // The fixture's folder with three lists made at 9, 10 and 11 o'clock, the window on the first.
    std::unique_ptr<frmList> OpenOnThreeLists(ListWindowFixture& fixture)
    {
        WriteList(fixture.Path("groceries.agl"), "Milk", 10);
        WriteList(fixture.Path("garden.agl"), "Roses", 11);
        auto window = fixture.Open({ "04\tFirst list task" }, "first.agl");
        WriteList(fixture.Path("first.agl"), "First list task", 9);
        return window;
    }

} // namespace

class ListIndexTest : public QObject {
    Q_OBJECT

private slots:
    // Alt+I shows the lists of the open list's folder newest first, numbered, with their top
    // tasks; a row's file opens that list; the index built again from the index is the same.
    void TheIndexShowsTheFolderAndOpensAList()
    {
        ListWindowFixture fixture;
        fixture.TheSettings.ShowTop5 = 1;
        auto window = OpenOnThreeLists(fixture);

        QTest::keyClick(window.get(), Qt::Key_I, Qt::AltModifier);

        QCOMPARE(window->Document().ListName, std::string(ListIndexName));
        QCOMPARE(window->CurrentView().Caption, QStringLiteral(" - List Index"));
        QCOMPARE(window->windowTitle(), QStringLiteral("List Index - Agendrix"));
        const std::vector<std::string> index { "0 - garden", "1 - groceries", "2 - first" };
        QCOMPARE(Descriptions(*window), index);
        QCOMPARE(std::string(GetField(window->Document().Tasks.Line(0), TaskField::Information)),
            std::string("Roses"));
        QVERIFY(!window->Document().Dirty);
        QVERIFY(fixture.Prompts.Asked.empty());
        window->ListIndex();
        QCOMPARE(Descriptions(*window), index);

        QVERIFY(FinishBarAnimation(*window));
        Click(*window, OnBarButton(*window, 0, BarButton::GoToFile));

        QCOMPARE(window->Document().ListName, fixture.Path("garden.agl"));
        QCOMPARE(Descriptions(*window), std::vector<std::string> { "Roses" });
    }

    // With the index of the default list's folder chosen for the start, a start without a list
    // shows it; a list named on the command line wins.
    void AStartCanShowTheIndexOfTheDefaultListsFolder()
    {
        const struct {
            const char* Name;
            std::string CommandLine;
            std::string Expected;
        } cases[] = {
            { "commandLineWins", "groceries.agl", "groceries.agl" },
            { "indexAtStart", "", std::string(ListIndexName) },
        };
        for (const auto& c : cases) {
            ListWindowFixture fixture;
            WriteList(fixture.Path("groceries.agl"), "Milk", 10);
            WriteList(fixture.Path("garden.agl"), "Roses", 11);
            fixture.TheSettings.DefaultOpen = 2;
            fixture.TheSettings.DefaultList = fixture.Path("garden.agl");
            frmList window(fixture.Services(), fixture.TheSettings);

            window.Start(c.CommandLine.empty() ? std::string() : fixture.Path(c.CommandLine));

            const std::string expected = c.CommandLine.empty() ? c.Expected : fixture.Path(c.Expected);
            QVERIFY2(window.Document().ListName == expected, c.Name);
            QVERIFY2(window.isVisible(), c.Name);
            if (c.CommandLine.empty()) {
                QVERIFY2(Descriptions(window) == (std::vector<std::string> { "0 - garden", "1 - groceries" }),
                    c.Name);
                QVERIFY2(window.CurrentSettings().ListName == fixture.Path("garden.agl"), c.Name);
            }
        }
    }

    // Changes are offered for saving first: Yes writes them, No leaves them marked; a list that
    // cannot be read is named once and the others are shown.
    void TheIndexOffersToSaveAndNamesUnreadableLists()
    {
        const struct {
            const char* Name;
            PromptAnswer Answer;
            bool Saved;
        } cases[] = {
            { "declined", PromptAnswer::No, false },
            { "saved", PromptAnswer::Yes, true },
        };
        for (const auto& c : cases) {
            ListWindowFixture fixture;
            auto window = OpenOnThreeLists(fixture);
            QVERIFY(::symlink("/proc/self/mem", fixture.Path("broken.agl").c_str()) == 0);
            fixture.TheSettings.ShowTop5 = 1;
            auto indexed = std::make_unique<frmList>(fixture.Services(), fixture.TheSettings);
            indexed->Start(fixture.Path("first.agl"));
            DocumentOf(*indexed).Tasks.Add("03\tAdded\t\t0\t\t\t\t");
            DocumentOf(*indexed).Dirty = true;
            fixture.Prompts.Asked.clear();
            fixture.Prompts.Answers = { c.Answer };

            indexed->ListIndex();

            QVERIFY2(fixture.Prompts.Asked.size() == 2, c.Name);
            QVERIFY2(
                fixture.Prompts.Asked[0].Text == "Would you like to save the changes to first.agl?", c.Name);
            QVERIFY2(fixture.Prompts.Asked[0].Buttons == PromptButtons::YesNo, c.Name);
            const PromptRequest& named = fixture.Prompts.Asked[1];
            QVERIFY2(named.Icon == PromptIcon::Exclamation, c.Name);
            QVERIFY2(named.Text.find("broken.agl") != std::string::npos, c.Name);
            QVERIFY2(Descriptions(*indexed).size() == 3, c.Name);
            QVERIFY2(indexed->Document().Dirty == !c.Saved, c.Name);
            QVERIFY2((ReadWholeFile(fixture.Path("first.agl")).Bytes.find("Added") != std::string::npos)
                    == c.Saved,
                c.Name);
        }
    }

    // Deleting a row of the index deletes its list file after a question whose default keeps it.
    void DeletingAnIndexRowDeletesItsListFile()
    {
        const struct {
            const char* Name;
            PromptAnswer Answer;
            bool Deleted;
        } cases[] = {
            { "cancelled", PromptAnswer::Cancel, false },
            { "declined", PromptAnswer::No, false },
            { "confirmed", PromptAnswer::Yes, true },
        };
        for (const auto& c : cases) {
            ListWindowFixture fixture;
            auto window = OpenOnThreeLists(fixture);
            window->ListIndex();
            fixture.Prompts.Answers = { c.Answer };
            Click(*window, LampOf(*window, 0), Qt::RightButton);
            QWidget* picker = ShownWindow("agendrix::frmPicker");
            QVERIFY2(picker, c.Name);
            QTest::keyClick(picker, Qt::Key_End); // the last entry deletes
            QTest::keyClick(picker, Qt::Key_Return);

            QVERIFY2(fixture.Prompts.Asked.size() == 1, c.Name);
            const PromptRequest& asked = fixture.Prompts.Asked[0];
            QVERIFY2(asked.Title == "Delete Agendrix List", c.Name);
            QVERIFY2(asked.Text
                    == "Are you sure you wish to delete the following Agendrix list file?\n\n"
                        + fixture.Path("garden.agl") + "\n\nThis action cannot be undone.",
                c.Name);
            QVERIFY2(asked.Default == PromptAnswer::No, c.Name);
            QVERIFY2(FileExists(fixture.Path("garden.agl")) != c.Deleted, c.Name);
            QVERIFY2(Descriptions(*window).size() == (c.Deleted ? 2u : 3u), c.Name);
        }
    }

    // Alt+D lists the files of the chosen file's type in its folder.
    void TheDirectoryListingShowsTheFilesOfOneType()
    {
        ListWindowFixture fixture;
        auto window = fixture.Open({ "04\tTask" });
        for (const char* name : { "report.html", "Index.HTML", "notes.txt" })
            SaveFileAtomically(fixture.Path(name), "12345");
        fixture.Prompts.Chosen = fixture.Path("report.html");

        window->DirectoryListing();

        QCOMPARE(fixture.Prompts.Dialogs.size(), std::size_t { 1 });
        QCOMPARE(fixture.Prompts.Dialogs[0].Title, std::string("Open File of type you wish to list..."));
        QCOMPARE(fixture.Prompts.Dialogs[0].Filter, std::string("All Files (*.*)|*.*"));
        QCOMPARE(window->Document().ListName, std::string("HTML Directory Listing"));
        QCOMPARE(window->windowTitle(), QStringLiteral("HTML Directory Listing - Agendrix"));
        QCOMPARE(Descriptions(*window), (std::vector<std::string> { "Index.", "report." }));
        const std::string_view information
            = GetField(window->Document().Tasks.Line(1), TaskField::Information);
        QVERIFY(information.starts_with("Size: 5 bytes\xB6"
                                        "Date last modified: "));
    }

    // Find compares without regard to case over the whole line, shows each hit in the first row
    // and says "Text not found." at the end.
    void FindShowsEachHitInTheFirstRow()
    {
        const std::string found
            = "Text found, displaying on first line\n\nClick OK again to find next instance of "
              "text, or Cancel to stop searching.";
        const struct {
            const char* Name;
            std::deque<std::optional<std::string>> Answers;
            int RowStart;
            std::size_t Boxes;
            bool NotFound;
        } cases[] = {
            { "cancelledAtOnce", { std::nullopt }, 0, 1, false },
            { "emptyAnswer", { "" }, 0, 1, false },
            { "nowhere", { "zebra" }, 0, 1, true },
            { "firstHitThenStop", { "MILK", std::nullopt }, 2, 2, false },
            { "everyHitThenTheEnd", { "milk", "milk", "milk" }, 4, 3, true },
            { "nonAsciiCapitals", { "CAF\xC3\x89", std::nullopt }, 1, 2, false },
            { "codesAndDatesMatchToo", { "20261206", std::nullopt }, 3, 2, false },
        };
        for (const auto& c : cases) {
            ListWindowFixture fixture;
            auto window = fixture.Open({ "02\tCall mum", "03\tCaf\xE9 with Ann", "04\tBuy milk",
                "05\tBake\t\t0\t20261206\t1\t0\t", "06\tMilk the goat" });
            fixture.Prompts.Texts = c.Answers;

            QTest::keyClick(window.get(), Qt::Key_F, Qt::AltModifier);

            QVERIFY2(fixture.Prompts.TextsAsked.size() == c.Boxes, c.Name);
            QVERIFY2(
                fixture.Prompts.TextsAsked[0].Prompt == "Enter the text you wish to search for:", c.Name);
            QVERIFY2(fixture.Prompts.TextsAsked[0].Title == "Find", c.Name);
            for (std::size_t i = 1; i < c.Boxes; ++i)
                QVERIFY2(fixture.Prompts.TextsAsked[i].Prompt == found, c.Name);
            QVERIFY2(window->RowStart() == c.RowStart, c.Name);
            const bool toldNotFound = !fixture.Prompts.Asked.empty()
                && fixture.Prompts.Asked.back()
                    == PromptRequest { "Find", "Text not found.", PromptIcon::Information };
            QVERIFY2(toldNotFound == c.NotFound, c.Name);
        }
        // The last search is offered the next time.
        ListWindowFixture fixture;
        auto window = fixture.Open({ "02\tCall mum" });
        fixture.Prompts.Texts = { "mum", std::nullopt, std::nullopt };
        window->Find();
        window->Find();
        QCOMPARE(fixture.Prompts.TextsAsked.back().Default, std::string("mum"));
    }
};

} // namespace agendrix

AGENDRIX_LIST_WINDOW_SUITE(ListIndexTest);

#include "frmListIndexQtTest.moc"
