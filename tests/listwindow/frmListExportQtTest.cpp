#include "ListWindowFixture.h"
#include "QtSuites.h"

#include "editing/InlineEditors.h"

#include "model/WebPage.h"

#include "support/Bytes.h"
#include "support/PageTemplates.h"

#include <QDate>
#include <QLineEdit>
#include <QLocale>
#include <QTest>

#include <deque>
#include <optional>

namespace agendrix {

namespace {

    const std::vector<std::string> Tasks {
        "02\tCall <Bob>\t\t0\t20261206\t1\t0\t",
        "02\tPay & file\tform\xB6"
        "due\t0\t20261206\t1\t0\t",
        "10\t2026/12/01 - Done\t\t0\t20261206\t1\t0\t",
    };

    // The fixture's day as the window writes it on the page: short, as the locale has it.
    std::string Today() { return QLocale().toString(QDate(2026, 12, 6), QLocale::ShortFormat).toStdString(); }

    // The page of Tasks made from the numbered template, for the list "Work.AGL" at `listPath`.
    std::string PageOf(const std::string& listPath, PageColour colour)
    {
        const bool coloured = colour == PageColour::ByCategory;
        const std::string red = coloured ? "C00000" : "606060";
        const std::string green = coloured ? "00C000" : "606060";
        return "[0]Work[1]Work[2]3 items, created on " + Today() + "[3]" + red + "[4]Extreme Priority[5]"
            + red + "[6\xC2\xA8]Call &lt;Bob&gt;[8]" + red + "[6\xC2\xA8]Pay &amp; file[7]form<br>due[11]"
            + green + "[12]Completed Items[13]" + green + "[6\xC3\xBE]2026/12/01 - Done[16]" + listPath
            + "[17]\r\n\r\n";
    }

    PromptRequest Question(std::string text, PromptButtons buttons)
    {
        return PromptRequest { "Agendrix", std::move(text), PromptIcon::Question, buttons,
            PromptAnswer::Yes };
    }
    const PromptRequest ColourQuestion
        = Question("Would you like the list saved in color?", PromptButtons::YesNo);
    const PromptRequest OpenQuestion
        = Question("Web page saved!\n\nWould you like to open the webpage now?", PromptButtons::YesNoCancel);

    struct ExportCase {
        const char* Name;
        std::optional<std::string> Chosen; // in the fixture's folder; nothing: the dialog is cancelled
        std::string Template; // the program folder's template; empty: there is none
        std::deque<PromptAnswer> Answers;
        std::vector<PromptRequest> Asked; // FOLDER stands for the fixture's folder
        std::optional<PageColour> Written; // the page written to Chosen, if any
        bool Opened = false;
    };

} // namespace

class ListWindowExportTest : public QObject {
    Q_OBJECT

private slots:
    void ExportWritesThePageAndOffersToOpenIt()
    {
        const std::string numbered = test::NumberedPageTemplate();
        std::string swapped = numbered;
        swapped.replace(swapped.find("{NextCategory}"), 14, "{TaskFile}");
        const std::string cannotSave = "Could not save \"FOLDER/none/Work.htm\": No such file or directory.";
        const ExportCase cases[] = {
            { "dialogCancelled", std::nullopt, numbered, {}, {}, std::nullopt },
            { "emptyName", "", numbered, {}, {}, std::nullopt },
            { "noTemplate", "Work.htm", "", {},
                { CriticalMessage("The web page template \"FOLDER/HTML Format.htm\" was not found.") },
                std::nullopt },
            { "templateOutOfOrder", "Work.htm", swapped, {},
                { CriticalMessage(
                    "The web page template \"FOLDER/HTML Format.htm\" cannot be used: its marker "
                    "\"{NextCategory}\" is missing or out of order.") },
                std::nullopt },
            { "pageOverTheList", "Work.AGL", numbered, {},
                { CriticalMessage(
                    "Nothing was written: \"FOLDER/Work.AGL\" is the list file itself, which the web page "
                    "would replace.") },
                std::nullopt },
            { "pageCannotBeSaved", "none/Work.htm", numbered, { PromptAnswer::Yes },
                { ColourQuestion, CriticalMessage(cannotSave) }, std::nullopt },
            { "colourAndOpen", "Work.htm", numbered, { PromptAnswer::Yes, PromptAnswer::Yes },
                { ColourQuestion, OpenQuestion }, PageColour::ByCategory, true },
            { "greyNotOpened", "Work.htm", numbered, { PromptAnswer::No, PromptAnswer::No },
                { ColourQuestion, OpenQuestion }, PageColour::Grey },
            { "openCancelled", "Work.htm", numbered, { PromptAnswer::Yes, PromptAnswer::Cancel },
                { ColourQuestion, OpenQuestion }, PageColour::ByCategory },
        };
        for (const ExportCase& c : cases) {
            ListWindowFixture fixture;
            const std::string folder = fixture.Folder.Path();
            if (!c.Template.empty())
                test::WriteBytes(fixture.Path(PageTemplateFileName), c.Template);
            auto window = fixture.Open(Tasks, "Work.AGL");
            const std::string listBytes = test::ReadBytes(fixture.Path("Work.AGL"));
            DocumentOf(*window).Dirty = true;
            fixture.Prompts.Chosen = c.Chosen ? std::optional(fixture.Path(*c.Chosen)) : std::nullopt;
            if (c.Chosen && c.Chosen->empty())
                fixture.Prompts.Chosen = "";
            fixture.Prompts.Answers = c.Answers;

            QTest::keyClick(window.get(), Qt::Key_W, Qt::AltModifier);

            QVERIFY2(fixture.Prompts.Dialogs.size() == 1, c.Name);
            const FileDialogRequest& dialog = fixture.Prompts.Dialogs.front();
            QVERIFY2(dialog.What == FileDialogRequest::Kind::Save, c.Name);
            QCOMPARE(dialog.Title, std::string("Save Task List as Web Page"));
            QCOMPARE(dialog.Filter, std::string("HTML Files (*.htm; *.html)|*.htm;*.html"));
            QCOMPARE(dialog.InitialPath, std::string("Work"));
            std::vector<PromptRequest> asked = c.Asked;
            for (PromptRequest& request : asked)
                request.Text = ReplaceAll(request.Text, "FOLDER", folder);
            QVERIFY2(fixture.Prompts.Asked == asked, c.Name);
            QVERIFY2(fixture.Prompts.Answers.empty(), c.Name);
            if (c.Written)
                QCOMPARE(
                    test::ReadBytes(fixture.Path("Work.htm")), PageOf(fixture.Path("Work.AGL"), *c.Written));
            else
                QVERIFY2(!FileExists(fixture.Path("Work.htm")), c.Name);
            using Opened = std::vector<std::pair<std::string, std::string>>;
            QVERIFY2(fixture.Desktop.Opened
                    == (c.Opened ? Opened { { fixture.Path("Work.htm"), folder + "/" } } : Opened {}),
                c.Name);
            QVERIFY2(window->Document().Dirty, c.Name);
            QVERIFY2(test::ReadBytes(fixture.Path("Work.AGL")) == listBytes, c.Name);
        }
    }

    // What is typed in an in-place editor belongs to the list: the page shows it.
    void AnEditInProgressIsOnThePage()
    {
        ListWindowFixture fixture;
        test::WriteBytes(fixture.Path(PageTemplateFileName), test::NumberedPageTemplate());
        auto window = fixture.OpenShown(Tasks, "Work.AGL");
        QTest::mouseClick(window.get(), Qt::LeftButton, {}, LabelOf(*window, 0));
        QLineEdit* text1 = window->Editors().Text1();
        QVERIFY(text1->isVisible());
        QTest::keyClick(text1, Qt::Key_End);
        QTest::keyClicks(text1, QStringLiteral(" now"));
        fixture.Prompts.Chosen = fixture.Path("Work.htm");
        fixture.Prompts.Answers = { PromptAnswer::No, PromptAnswer::No };

        window->Run(ListCommand::ExportWebPage);

        QVERIFY(!text1->isVisible());
        const std::string page = test::ReadBytes(fixture.Path("Work.htm"));
        QVERIFY2(page.find("[6\xC2\xA8]Call &lt;Bob&gt; now[8]") != std::string::npos, page.c_str());
    }
};

} // namespace agendrix

AGENDRIX_LIST_WINDOW_SUITE(ListWindowExportTest);

#include "frmListExportQtTest.moc"
