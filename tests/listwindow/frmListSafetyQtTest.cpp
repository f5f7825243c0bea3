#include "ListWindowFixture.h"
#include "QtSuites.h"

#include "editing/InlineEditors.h"

#include "model/ListFile.h"
#include "model/QueueFile.h"
#include "model/Recovery.h"

#include <QLineEdit>
#include <QSignalSpy>
#include <QTest>

#include <functional>
#include <tuple>

namespace agendrix {

namespace {

    const std::vector<std::string> Tasks { "04\tAlpha\t\t0\t\t\t\t", "06\tBravo\t\t0\t\t\t\t" };

    // A changed list that can no longer be saved where it is: its folder is gone.
    void MakeUnsaveable(ListWindowFixture& fixture, frmList& window)
    {
        ListDocument& document = DocumentOf(window);
        document.ListName = fixture.Path("gone/list.agl");
        document.Tasks.Add("02\tUnsaved change\t\t0\t\t\t\t");
        document.Dirty = true;
    }

    bool AskedFor(const test::ScriptedPrompts& prompts, const std::string& text)
    {
        for (const PromptRequest& request : prompts.Asked)
            if (request.Text.find(text) != std::string::npos)
                return true;
        return false;
    }

} // namespace

class ListWindowSafetyTest : public QObject {
    Q_OBJECT

private slots:
    void FailedSaveOnClosingKeepsTheWindowAndTheChanges()
    {
        ListWindowFixture fixture;
        auto window = fixture.OpenShown(Tasks);
        MakeUnsaveable(fixture, *window);
        fixture.Prompts.Answers = { PromptAnswer::Yes, PromptAnswer::Ok };

        QVERIFY(!window->close());

        QVERIFY(window->isVisible());
        QVERIFY(window->Document().Dirty);
        QCOMPARE(window->Document().Tasks.Count(), std::size_t { 3 });
        QCOMPARE(fixture.Prompts.Asked.size(), std::size_t { 2 });
        QVERIFY(fixture.Prompts.Asked[1].Icon == PromptIcon::Critical);
        QVERIFY(AskedFor(fixture.Prompts, "Could not save \"" + fixture.Path("gone/list.agl") + "\""));
        QVERIFY(!FileExists(fixture.Path(SettingsFileName)));

        // Answering No lets it close, as the user chose to drop the changes.
        fixture.Prompts.Answers = { PromptAnswer::No };
        QVERIFY(window->close());
        QVERIFY(FileExists(fixture.Path(SettingsFileName)));
    }

    // Opening another list in place of a changed one that could not be saved would lose the
    // changes: the failed save stops the opening, whatever asked for it.
    void FailedSaveStopsEveryActionThatReplacesTheList()
    {
        using Action = std::function<void(ListWindowFixture&, frmList&)>;
        const std::tuple<const char*, Action> cases[] = {
            { "handOver",
                [](ListWindowFixture& fixture, frmList& window) {
                    WriteQueueFile(fixture.Path(QueueFileName), fixture.Path("other.agl"));
                    window.CheckQueue();
                } },
            { "openList",
                [](ListWindowFixture& fixture, frmList& window) {
                    window.OpenList(fixture.Path("other.agl"));
                } },
            { "myList", [](ListWindowFixture&, frmList& window) { window.MyList(); } },
            { "goToFile",
                [](ListWindowFixture&, frmList& window) {
                    // The last task (after the unsaved one) names the other list: its bar opens,
                    // then its file is gone to.
                    Click(window, ExpandHandleOf(window, 3));
                    QVERIFY(FinishBarAnimation(window));
                    Click(window, OnBarButton(window, 3, BarButton::GoToFile));
                } },
        };
        for (const auto& [name, action] : cases) {
            ListWindowFixture fixture;
            SaveFileAtomically(fixture.Path("other.agl"), "Format: 5.0.0\r\n05\tElsewhere\r\n");
            SaveFileAtomically(fixture.Path("Agendrix.agl"), "Format: 5.0.0\r\n05\tMine\r\n");
            auto window
                = fixture.Open({ Tasks[0], Tasks[1], "08\tGo\t\t0\t\t\t\t" + fixture.Path("other.agl") });
            MakeUnsaveable(fixture, *window);
            fixture.Prompts.Answers = { PromptAnswer::Yes, PromptAnswer::Ok };

            action(fixture, *window);

            QVERIFY2(window->Document().ListName == fixture.Path("gone/list.agl"), name);
            QVERIFY2(window->Document().Dirty, name);
            QVERIFY2(window->Document().Tasks.Count() == 4, name);
            QVERIFY2(AskedFor(fixture.Prompts, "Could not save"), name);
        }
    }

    // A logout or SIGTERM waits for nobody: no question, the changes in the recovery copy beside
    // the list (the list itself untouched), the settings written.
    void TerminateKeepsTheChangesInARecoveryCopyWithoutAsking()
    {
        for (const bool dirty : { true, false }) {
            ListWindowFixture fixture;
            auto window = fixture.Open(Tasks);
            const std::string before = ReadWholeFile(fixture.Path("list.agl")).Bytes;
            if (dirty) {
                ListDocument& document = DocumentOf(*window);
                document.Tasks.Add("02\tUnsaved change\t\t0\t\t\t\t");
                document.Dirty = true;
            }
            QSignalSpy terminated(window.get(), &frmList::Terminated);

            window->Terminate();

            QCOMPARE(terminated.count(), 1);
            QVERIFY(fixture.Prompts.Asked.empty());
            QCOMPARE(ReadWholeFile(fixture.Path("list.agl")).Bytes, before);
            const ReadResult copy = ReadWholeFile(fixture.Path(".list.agl.recovered"));
            QCOMPARE(copy.What == ReadResult::Status::Read, dirty);
            if (dirty)
                QCOMPARE(copy.Bytes, EncodeListFile(window->Document().Tasks.Lines()));
            const ReadResult settings = ReadWholeFile(fixture.Path(SettingsFileName));
            QCOMPARE(SplitLines(settings.Bytes).size(), std::size_t { 41 });
            QCOMPARE(std::string(SplitLines(settings.Bytes)[7]), fixture.Path("list.agl"));
        }
    }

    // A command line naming a file that does not exist leaves only its folder: an empty list
    // there, without a message, which a save then asks a name for.
    void AMissingFileOnTheCommandLineOpensAnEmptyListInItsFolder()
    {
        ListWindowFixture fixture;
        frmList window(fixture.Services(), fixture.TheSettings);
        window.Start(fixture.Folder.Path() + "/");
        QVERIFY(fixture.Prompts.Asked.empty());
        QCOMPARE(window.Document().Tasks.Count(), std::size_t { 0 });
        QCOMPARE(window.CurrentView().Caption, QStringLiteral(" - "));

        fixture.Prompts.Chosen = fixture.Path("named.agl");
        QVERIFY(window.Save() == SaveOutcome::Saved);
        QCOMPARE(fixture.Prompts.Dialogs.size(), std::size_t { 1 });
        QVERIFY(FileExists(fixture.Path("named.agl")));
    }

    // A file may hold a line far longer than a task line: the row shows its start, and the
    // in-place editors still get (and keep) the whole text.
    void ALongLineShowsItsStartAndEditsWhole()
    {
        ListWindowFixture fixture;
        const std::string description(100000, 'd');
        const std::string information = std::string(50000, 'i') + "\xB6" + "end";
        auto window = fixture.OpenShown({ "04\t" + description + "\t" + information + "\t0\t\t\t\t" });
        const RowView& row = window->CurrentView().RowViews[0];
        QCOMPARE(row.Description.size(), qsizetype { 4097 });
        QVERIFY(row.Description.endsWith(QChar(0x2026)));

        QTest::mouseClick(window.get(), Qt::LeftButton, {}, LabelOf(*window, 0));
        QCOMPARE(window->Editors().Text1()->text().size(), qsizetype { 100000 });
        QTest::keyClick(window->Editors().Text1(), Qt::Key_End);
        QTest::keyClicks(window->Editors().Text1(), "x");
        QTest::keyClick(window->Editors().Text1(), Qt::Key_Return);
        const std::string line(window->Document().Tasks.Line(0));
        QCOMPARE(line, "04\t" + description + "x\t" + information + "\t0\t\t\t\t");
    }

    // What is typed in an in-place editor belongs to the list it was typed in: a save takes it,
    // and opening another list first ends the edit there, so the question covers it.
    void AnOpenEditIsSavedWithTheListAndNeverLandsInAnother()
    {
        ListWindowFixture fixture;
        SaveFileAtomically(fixture.Path("other.agl"), "Format: 5.0.0\r\n05\tElsewhere\r\n");
        auto window = fixture.OpenShown(Tasks);
        const auto typeInFirstRow = [&](const char* text) {
            QTest::mouseClick(window.get(), Qt::LeftButton, {}, LabelOf(*window, 0));
            QTest::keyClick(window->Editors().Text1(), Qt::Key_End);
            QTest::keyClicks(window->Editors().Text1(), text);
        };

        typeInFirstRow(" typed");
        QTest::keyClick(window.get(), Qt::Key_S, Qt::AltModifier);
        QVERIFY(ReadWholeFile(fixture.Path("list.agl")).Bytes.find("Alpha typed") != std::string::npos);

        typeInFirstRow(" again");
        fixture.Prompts.Answers = { PromptAnswer::No };
        QVERIFY(window->OpenList(fixture.Path("other.agl")));
        QCOMPARE(fixture.Prompts.Asked.size(), std::size_t { 1 });
        QCOMPARE(fixture.Prompts.Asked[0].Title, std::string("Save Task List?"));
        QVERIFY(!window->Editors().Text1()->isVisible());
        QTest::keyClick(window.get(), Qt::Key_Return);
        QCOMPARE(window->Document().Tasks.Count(), std::size_t { 1 });
        QCOMPARE(std::string(window->Document().Tasks.Line(0)), std::string("05\tElsewhere"));
        QVERIFY(!window->Document().Dirty);
    }

    // An end while another list is being read (here, at its older-format note) keeps no copy:
    // the document holds the new name over the old tasks, whose changes the user declined.
    void TerminateWhileAListIsReadKeepsNoCopyUnderItsName()
    {
        ListWindowFixture fixture;
        SaveFileAtomically(fixture.Path("old.agl"), "Format: 2.0.0\r\n05\tOld format\t\t0\t\t1\t0\t\r\n");
        auto window = fixture.Open(Tasks);
        ListDocument& document = DocumentOf(*window);
        document.Tasks.Add("02\tDeclined change\t\t0\t\t\t\t");
        document.Dirty = true;
        fixture.Prompts.Answers = { PromptAnswer::No };
        fixture.Prompts.OnAsk = [&](const PromptRequest& request) {
            if (request.Text == Version20Message())
                window->Terminate();
        };
        QVERIFY(window->OpenList(fixture.Path("old.agl")));
        QVERIFY(!FileExists(fixture.Path(".old.agl.recovered")));
        QVERIFY(!FileExists(fixture.Path(".list.agl.recovered")));
    }

    void OpeningAListWithARecoveryCopyOffersIt()
    {
        const std::tuple<const char*, PromptAnswer, std::size_t, bool> cases[] = {
            { "restore", PromptAnswer::Yes, 3, true },
            { "discard", PromptAnswer::No, 2, false },
        };
        for (const auto& [name, answer, count, dirty] : cases) {
            ListWindowFixture fixture;
            SaveFileAtomically(fixture.Path(".list.agl.recovered"),
                EncodeListFile({ Tasks[0], Tasks[1], "02\tRecovered\t\t0\t\t\t\t" }));
            fixture.Prompts.Answers = { answer };

            auto window = fixture.Open(Tasks);

            QVERIFY2(fixture.Prompts.Asked.size() == 1, name);
            QVERIFY2(fixture.Prompts.Asked[0] == RecoveryQuestion(fixture.Path("list.agl")), name);
            QVERIFY2(window->Document().Tasks.Count() == count, name);
            QVERIFY2(window->Document().Dirty == dirty, name);
            QVERIFY2(!FileExists(fixture.Path(".list.agl.recovered")), name);
        }
    }
};

} // namespace agendrix

AGENDRIX_LIST_WINDOW_SUITE(ListWindowSafetyTest);

#include "frmListSafetyQtTest.moc"
