#include "ListWindowFixture.h"
#include "QtSuites.h"

#include "model/Windows1252.h"

#include "support/Bytes.h"

#include <QTest>

#include <deque>
#include <filesystem>

namespace agendrix {

namespace {

    // Fifty tasks, so that the window can scroll away from the top.
    std::vector<std::string> OldTasks()
    {
        std::vector<std::string> lines;
        for (int i = 0; i < 50; ++i)
            lines.push_back("05\told " + std::to_string(100 + i) + "\t\t0\t\t\t\t");
        return lines;
    }

    const PromptRequest SaveQuestion { "Save Task List?", "Would you like to save the changes to list.agl?",
        PromptIcon::Question, PromptButtons::YesNo, PromptAnswer::Yes };
    const PromptRequest NumbersQuestion { "Agendrix",
        "Would you like to add line numbers to the file?\nThis will keep the list in the same order it "
        "was\nin "
        "the text file.",
        PromptIcon::Question, PromptButtons::YesNo, PromptAnswer::Yes };

    enum class Chosen { Nothing, Missing, Folder, Unsaveable, Text };

    struct ImportCase {
        const char* Name;
        bool Dirty; // the open list has unsaved changes
        Chosen What;
        std::string Text; // of the chosen notes.backup.txt
        std::deque<PromptAnswer> Answers;
        // What the user is asked and told, in order; "FILE" stands for the chosen file's path and
        // "LIST" for the open list's.
        std::vector<PromptRequest> Asked;
        std::size_t Dialogs; // file dialogs shown
        std::vector<std::string> Rows; // the first rows shown afterwards; empty: the old list stays
    };

    const std::string Japanese = "\xE6\x97\xA5";

    const ImportCase Cases[] = {
        { "missingFile", false, Chosen::Missing, "", { PromptAnswer::Yes },
            { NumbersQuestion, CriticalMessage("Could not open \"FILE\": No such file or directory.") }, 1,
            {} },
        { "folderChosen", false, Chosen::Folder, "", { PromptAnswer::No },
            { NumbersQuestion, CriticalMessage("Could not read \"FILE\": Is a directory.") }, 1, {} },
        { "failedSaveStopsTheImport", true, Chosen::Unsaveable, "Milk\n", { PromptAnswer::Yes },
            { SaveQuestion, CriticalMessage("Could not save \"LIST\": No such file or directory.") }, 0, {} },
        { "dialogCancelled", true, Chosen::Nothing, "", { PromptAnswer::No }, { SaveQuestion }, 1, {} },
        { "savedThenNumbered", true, Chosen::Text, "Milk\r\nbread\r\n\r\n  Apples\t\r\n",
            { PromptAnswer::Yes, PromptAnswer::Yes }, { SaveQuestion, NumbersQuestion }, 1,
            { "001 - Milk", "002 - bread", "003 - Apples", "" } },
        { "notSavedAndSorted", true, Chosen::Text, "Milk\nbread\nApples",
            { PromptAnswer::No, PromptAnswer::No }, { SaveQuestion, NumbersQuestion }, 1,
            { "Apples", "bread", "Milk", "" } },
        { "unchangedListIsNotAskedAbout", false, Chosen::Text, "Milk\n", { PromptAnswer::No },
            { NumbersQuestion }, 1, { "Milk", "" } },
        { "toldOnceOfReplacedAndCut", false, Chosen::Text,
            Japanese + " caf\xC3\xA9\n" + std::string(1100, 'x') + "\n" + std::string(1100, 'y'),
            { PromptAnswer::Yes },
            { NumbersQuestion,
                test::InformationMessage(
                    "Some characters of \"FILE\" cannot be stored in a task list and were "
                    "replaced by \"?\".\n2 lines of \"FILE\" were longer than a task allows (1024 "
                    "characters in all) and cut to fit.") },
            1, { "001 - ? caf\xE9" } },
    };

    // Sets up what the user chooses; returns its path.
    std::string Choose(const ImportCase& c, ListWindowFixture& fixture, frmList& window)
    {
        const std::string path = fixture.Path("notes.backup.txt");
        if (c.What == Chosen::Folder)
            std::filesystem::create_directory(path);
        if (c.What == Chosen::Text || c.What == Chosen::Unsaveable)
            test::WriteBytes(path, c.Text);
        if (c.What != Chosen::Nothing)
            fixture.Prompts.Chosen = path;
        ListDocument& document = DocumentOf(window);
        if (c.What == Chosen::Unsaveable)
            document.ListName = fixture.Path("gone/list.agl"); // its folder is gone
        if (c.Dirty) {
            document.Tasks.Add("02\tUnsaved change\t\t0\t\t\t\t");
            document.Dirty = true;
        }
        return path;
    }

    // What the user was asked and told, and the file dialogs shown.
    void CheckAsked(const ImportCase& c, const test::ScriptedPrompts& prompts, const std::string& path,
        const std::string& listName)
    {
        QVERIFY2(prompts.Asked.size() == c.Asked.size(), c.Name);
        for (std::size_t i = 0; i < c.Asked.size(); ++i) {
            PromptRequest expected = c.Asked[i];
            expected.Text = ReplaceAll(ReplaceAll(expected.Text, "FILE", path), "LIST", listName);
            QVERIFY2(prompts.Asked[i] == expected,
                (std::string(c.Name) + ": " + test::Describe(prompts.Asked[i])).c_str());
        }
        QVERIFY2(prompts.Dialogs.size() == c.Dialogs, c.Name);
        for (const FileDialogRequest& dialog : prompts.Dialogs)
            QVERIFY2(dialog.What == FileDialogRequest::Kind::Open
                    && dialog.Title == "Import list from text file"
                    && dialog.Filter == "Text Files (*.txt)|*.txt",
                c.Name);
    }

    struct OldList {
        std::string Name;
        std::size_t Count;
        bool Dirty;
    };

    // The open list stays as it was, scrolled as it was.
    void CheckUnchanged(const ImportCase& c, const frmList& window, const OldList& old)
    {
        QVERIFY2(window.Document().ListName == old.Name, c.Name);
        QVERIFY2(window.Document().Tasks.Count() == old.Count, c.Name);
        QVERIFY2(window.Document().Dirty == old.Dirty, c.Name);
        QVERIFY2(window.RowStart() == 1, c.Name);
    }

    // The imported list is shown from the top under the text file's name.
    void CheckImported(const ImportCase& c, const frmList& window, const ListWindowFixture& fixture)
    {
        QVERIFY2(window.Document().ListName == "notes.backup", c.Name);
        QVERIFY2(window.CurrentView().Caption == QStringLiteral(" - notes"), c.Name);
        QVERIFY2(window.windowTitle() == QStringLiteral("notes - Agendrix"), c.Name);
        QVERIFY2(window.RowStart() == 0, c.Name);
        for (std::size_t row = 0; row < c.Rows.size(); ++row)
            QVERIFY2(
                window.CurrentView().RowViews.at(row).Description == FromUtf8(Windows1252ToUtf8(c.Rows[row])),
                c.Name);
        // The imported list exists only in the window: it is marked changed, whatever the open
        // list was.
        const bool saved = c.Dirty && c.Answers.front() == PromptAnswer::Yes;
        QVERIFY2(window.Document().Dirty, c.Name);
        const std::string oldFile = test::ReadBytes(fixture.Path("list.agl"));
        QVERIFY2((oldFile.find("Unsaved change") != std::string::npos) == saved, c.Name);
    }

} // namespace

class ListWindowImportTest : public QObject {
    Q_OBJECT

private slots:
    void ImportAsksThenShowsTheTextAsANewList()
    {
        for (const ImportCase& c : Cases) {
            ListWindowFixture fixture;
            auto window = fixture.Open(OldTasks());
            const QPoint down = Centre(window->CurrentView().Layout.ScrollDown);
            QTest::mousePress(window.get(), Qt::LeftButton, {}, down);
            QTest::mouseRelease(window.get(), Qt::LeftButton, {}, down);
            QVERIFY2(window->RowStart() == 1, c.Name);
            const std::string path = Choose(c, fixture, *window);
            const ListDocument& document = window->Document();
            const OldList old { document.ListName, document.Tasks.Count(), document.Dirty };
            fixture.Prompts.Answers = c.Answers;

            window->Run(ListCommand::ImportTextList);

            CheckAsked(c, fixture.Prompts, path, old.Name);
            if (c.Rows.empty())
                CheckUnchanged(c, *window, old);
            else
                CheckImported(c, *window, fixture);
            if (QTest::currentTestFailed())
                return;
        }
    }

    void AnImportedListIsSavedWhereTheUserSays()
    {
        ListWindowFixture fixture;
        auto window = fixture.Open(OldTasks());
        test::WriteBytes(fixture.Path("notes.txt"), "Milk\nEggs\n");
        fixture.Prompts.Chosen = fixture.Path("notes.txt");
        fixture.Prompts.Answers = { PromptAnswer::No };
        window->ImportTextList();
        fixture.Prompts.Chosen = fixture.Path("kept.agl");
        QVERIFY(window->Save() == SaveOutcome::Saved);
        QCOMPARE(fixture.Prompts.Dialogs.size(), std::size_t { 2 });
        QVERIFY(fixture.Prompts.Dialogs[1].What == FileDialogRequest::Kind::Save);
        QCOMPARE(fixture.Prompts.Dialogs[1].InitialPath, std::string("notes"));
        QCOMPARE(test::ReadBytes(fixture.Path("kept.agl")),
            ListHeader + "09\tEggs\t\t0\t20261206\t3\t0\t\r\n09\tMilk\t\t0\t20261206\t3\t0\t\r\n");
        QCOMPARE(window->windowTitle(), QStringLiteral("kept - Agendrix"));
    }
};

} // namespace agendrix

AGENDRIX_LIST_WINDOW_SUITE(ListWindowImportTest);

#include "frmListImportQtTest.moc"
