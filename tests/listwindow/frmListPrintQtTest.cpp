#include "ListWindowFixture.h"
#include "QtSuites.h"
#include "ScriptedPrintDialog.h"

#include "listwindow/PrintPainter.h"
#include "listwindow/frmPrint.h"

#include <QCheckBox>
#include <QClipboard>
#include <QComboBox>
#include <QFile>
#include <QGuiApplication>
#include <QPdfWriter>
#include <QProcess>
#include <QPushButton>
#include <QRadioButton>
#include <QStyle>
#include <QStyleOptionButton>
#include <QTest>

namespace agendrix {

namespace {

    std::string Task(const std::string& code, const std::string& description, const std::string& info = "")
    {
        return code + "\t" + description + "\t" + info + "\t0\t\t1\t0\t";
    }

    // The text of a PDF file as pdftotext lays it out; pages are separated by form feeds.
    QString PdfText(const std::string& path)
    {
        QProcess process;
        process.start(
            QStringLiteral("pdftotext"), { QStringLiteral("-layout"), FromUtf8(path), QStringLiteral("-") });
        if (!process.waitForFinished(30000) || process.exitCode() != 0)
            return QStringLiteral("pdftotext failed: ") + QString::fromUtf8(process.readAllStandardError());
        return QString::fromUtf8(process.readAllStandardOutput());
    }

    // The lines of the PDF's text that are not empty, each without its leading and trailing blanks.
    QStringList PdfLines(const std::string& path)
    {
        QStringList lines;
        for (const QString& line : PdfText(path).split(QLatin1Char('\n')))
            if (!line.trimmed().isEmpty())
                lines << line.trimmed();
        return lines;
    }

    // Clicks where the style says the button takes a click: its mark and its text.
    void ClickButton(QAbstractButton* button, QStyle::SubElement clickRect)
    {
        QStyleOptionButton option;
        option.initFrom(button);
        option.text = button->text();
        const QRect area = button->style()->subElementRect(clickRect, &option, button);
        QTest::mouseClick(button, Qt::LeftButton, {}, area.center());
    }

    PrintChoice ToPdf(PrintOptions options) { return PrintChoice { std::string(PrintToPdfTarget), options }; }

    std::optional<int> WritePdf(
        const std::string& path, const std::vector<std::string>& lines, PrintOptions options)
    {
        const std::vector<std::string_view> views(lines.begin(), lines.end());
        QPdfWriter writer(FromUtf8(path));
        writer.setPageMargins(QMarginsF(0, 0, 0, 0));
        return PrintList(writer, PrintJob { views, options, {}, "12/6/26", "/lists/Errands.agl" });
    }

} // namespace

class ListWindowPrintTest : public QObject {
    Q_OBJECT

private slots:
    // Nothing is printed when the dialog or the PDF file's dialog is cancelled; the dialog's OK
    // keeps the options even when the file dialog is cancelled after it.
    void CancelPrintsNothing()
    {
        const struct {
            const char* Name;
            std::optional<PrintChoice> Answer;
            std::size_t FileDialogs;
            int PrintDs;
        } cases[] = {
            { "fileDialogCancelled", ToPdf({ true, true, false, false }), 1, 1 },
            { "printDialogCancelled", std::nullopt, 0, 0 },
        };
        for (const auto& c : cases) {
            ListWindowFixture fixture;
            auto window = fixture.Open({ Task("04", "Call Bob") });
            auto dialog = std::make_unique<ScriptedPrintDialog>();
            dialog->Answer = c.Answer;
            ScriptedPrintDialog& script = *dialog;
            window->UsePrintDialog(std::move(dialog));

            window->Print();

            QVERIFY2(script.Requests.size() == 1, c.Name);
            QVERIFY2(fixture.Prompts.Dialogs.size() == c.FileDialogs, c.Name);
            QVERIFY2(window->CurrentSettings().PrintDs == c.PrintDs, c.Name);
            QVERIFY2(fixture.Prompts.Asked.empty(), c.Name);
            QVERIFY2(QDir(FromUtf8(fixture.Folder.Path())).entryList({ QStringLiteral("*.pdf") }).isEmpty(),
                c.Name);
        }
    }

    // A PDF file that cannot be written is named in a message, and no file is left.
    void AnUnwritablePdfIsNamed()
    {
        ListWindowFixture fixture;
        auto window = fixture.Open({ Task("04", "Call Bob") });
        auto dialog = std::make_unique<ScriptedPrintDialog>();
        dialog->Answer = ToPdf({});
        window->UsePrintDialog(std::move(dialog));
        const std::string path = fixture.Path("no such folder/out.pdf");
        fixture.Prompts.Chosen = path;

        window->Print();

        QCOMPARE(fixture.Prompts.Asked.size(), std::size_t { 1 });
        QVERIFY(fixture.Prompts.Asked[0].Text.find(path) != std::string::npos);
        QCOMPARE(fixture.Prompts.Asked[0].Icon, PromptIcon::Critical);
        QVERIFY(!QFile::exists(FromUtf8(path)));
    }

    // The dialog offers the printers, "Print to PDF file" and the options the settings hold; while
    // it is open the window neither stays on top nor lets the sidebar slide away. OK keeps the
    // choice in the settings and writes the PDF file the user names.
    void OkKeepsTheChoiceAndWritesThePdf()
    {
        ListWindowFixture fixture;
        fixture.TheSettings.AlwaysOnTop = true;
        fixture.TheSettings.PrintNm = "A printer that is gone";
        fixture.TheSettings.PrintCompletes = 1;
        fixture.TheSettings.PrintDs = 0;
        fixture.TheSettings.PrintSmall = 1;
        fixture.TheSettings.PrintClr = true;
        auto window = fixture.Open({ Task("02", "Pay rent", "by the 5th"),
                                       Task("10", "2026/12/01 - Buy milk"), Task("06", "Paint fence") },
            "Home.agl");
        auto dialog = std::make_unique<ScriptedPrintDialog>();
        dialog->Answer = ToPdf({ false, true, false, false });
        bool heldWhileOpen = false;
        bool onTopWhileOpen = true;
        dialog->OnAsk = [&] {
            heldWhileOpen = window->HoldsSidebar();
            onTopWhileOpen = window->windowHandle()->flags().testFlag(Qt::WindowStaysOnTopHint);
        };
        ScriptedPrintDialog& script = *dialog;
        window->UsePrintDialog(std::move(dialog));
        fixture.Prompts.Chosen = fixture.Path("Home print.pdf");

        window->Print();

        QCOMPARE(script.Requests.size(), std::size_t { 1 });
        const PrintDialogRequest& request = script.Requests[0];
        QCOMPARE(request.Targets.back(), std::string(PrintToPdfTarget));
        QVERIFY(request.Selected != fixture.TheSettings.PrintNm);
        QVERIFY(std::find(request.Targets.begin(), request.Targets.end(), request.Selected)
            != request.Targets.end());
        QVERIFY(request.Options == (PrintOptions { true, false, true, true }));
        QVERIFY(heldWhileOpen);
        QVERIFY(!onTopWhileOpen);
        QVERIFY(!window->HoldsSidebar());
        QVERIFY(window->windowHandle()->flags().testFlag(Qt::WindowStaysOnTopHint));

        const Settings& kept = window->CurrentSettings();
        QCOMPARE(kept.PrintNm, std::string(PrintToPdfTarget));
        QCOMPARE(kept.PrintCompletes, 0);
        QCOMPARE(kept.PrintDs, 1);
        QCOMPARE(kept.PrintSmall, 0);
        QCOMPARE(kept.PrintClr, false);
        QCOMPARE(fixture.Prompts.Dialogs.size(), std::size_t { 1 });
        QCOMPARE(fixture.Prompts.Dialogs[0].InitialPath, fixture.Path("Home.pdf"));
        QVERIFY(fixture.Prompts.Asked.empty());

        const QStringList lines = PdfLines(fixture.Path("Home print.pdf"));
        QVERIFY2(lines.size() >= 8, qPrintable(lines.join(QLatin1Char('|'))));
        QVERIFY(lines[0].startsWith(QStringLiteral("Home")) && lines[0].endsWith(QStringLiteral("Agendrix")));
        QVERIFY(lines[1].startsWith(QStringLiteral("2 items, printed on ")));
        const QStringList rest = lines.mid(2);
        const QStringList expected { QStringLiteral("Extreme Priority"), QStringLiteral("\u2610 Pay rent"),
            QStringLiteral("by the 5th"), QStringLiteral("Medium Priority"),
            QStringLiteral("\u2610 Paint fence"), FromUtf8(fixture.Path("Home.agl")) };
        QCOMPARE(rest, expected);
    }

    // The pages as the PDF shows them: the tasks in list order under their headings, a new page
    // when one is full, long texts shortened, Windows-1252 letters printed right.
    void PagesShowTheListAsLaidOut()
    {
        const std::string word(1024, 'W');
        std::vector<std::string> lines { Task("02", word),
            Task("04",
                "Pay \x80"
                "5 for \x9C"
                "uvres, na\xEFve caf\xE9") };
        for (int i = 0; i < 120; ++i)
            lines.push_back(Task("06", "Task " + std::to_string(1000 + i)));
        lines.push_back(Task("10", "Done"));
        test::TempFolder folder;
        const std::string path = folder / "pages.pdf";

        const std::optional<int> pages = WritePdf(path, lines, {});

        QVERIFY(pages.has_value());
        const QString text = PdfText(path);
        QCOMPARE(text.count(QLatin1Char('\f')), *pages);
        QVERIFY2(*pages >= 3, qPrintable(QString::number(*pages)));
        const QStringList order { QStringLiteral("Extreme Priority"), QStringLiteral("WWW..."),
            QStringLiteral("High Priority"), QStringLiteral("Pay €5 for œuvres, naïve café"),
            QStringLiteral("Medium Priority"), QStringLiteral("Task 1000"), QStringLiteral("Task 1119"),
            QStringLiteral("Completed Items"), QStringLiteral("\u2611 Done") };
        qsizetype at = 0;
        for (const QString& part : order) {
            const qsizetype found = text.indexOf(part, at);
            QVERIFY2(found >= 0, qPrintable(part));
            at = found;
        }
        QVERIFY(!text.contains(QString(1024, QLatin1Char('W'))));
        const QStringList pageTexts = text.split(QLatin1Char('\f'));
        QVERIFY(pageTexts[1].trimmed().startsWith(QStringLiteral("\u2610 Task")));
        QVERIFY(!pageTexts[1].contains(QStringLiteral("Agendrix")));
    }

    // Copy List puts every description, completed ones too, on the clipboard as text.
    void CopyListFillsTheClipboard()
    {
        const struct {
            const char* Name;
            std::vector<std::string> Lines;
            QString Text;
        } cases[] = {
            { "emptyList", {}, QString() },
            { "tasks", { Task("10", "2026/12/01 - Done"), Task("03", "Caf\xE9 \x80") },
                QStringLiteral("Café €\r\n2026/12/01 - Done\r\n") },
        };
        for (const auto& c : cases) {
            ListWindowFixture fixture;
            auto window = fixture.Open(c.Lines);
            QGuiApplication::clipboard()->setText(QStringLiteral("before"));

            QTest::keyClick(window.get(), Qt::Key_C, Qt::AltModifier);

            QVERIFY2(QGuiApplication::clipboard()->text() == c.Text, c.Name);
        }
    }

    // The Qt dialog shows the request and gives back what the user set; Cancel gives nothing.
    void TheDialogShowsAndReturnsTheChoice()
    {
        frmPrint dialog;
        dialog.Load(PrintDialogRequest { { "Office", "Lab", std::string(PrintToPdfTarget) }, "Lab",
            PrintOptions { true, false, true, true } });
        dialog.show();
        QVERIFY(QTest::qWaitForWindowExposed(&dialog));
        QCOMPARE(dialog.windowTitle(), QStringLiteral("Print"));
        QCOMPARE(dialog.Printers->currentText(), QStringLiteral("Lab"));
        QCOMPARE(dialog.Printers->count(), 3);
        QVERIFY(dialog.BlackAndWhite->isChecked() && !dialog.Colour->isChecked());
        QCOMPARE(dialog.BlackAndWhite->text(), QStringLiteral("&Black && White"));
        QVERIFY(dialog.Completed->isChecked() && !dialog.Descriptions->isChecked()
            && dialog.SmallFont->isChecked());

        ClickButton(dialog.Colour, QStyle::SE_RadioButtonClickRect);
        ClickButton(dialog.Descriptions, QStyle::SE_CheckBoxClickRect);
        dialog.Printers->setCurrentIndex(2);
        QTest::mouseClick(dialog.Ok, Qt::LeftButton, {}, dialog.Ok->rect().center());

        QCOMPARE(dialog.result(), int(QDialog::Accepted));
        const PrintChoice chosen = dialog.Choice();
        QCOMPARE(chosen.Target, std::string(PrintToPdfTarget));
        QCOMPARE(chosen.Options.Completed, true);
        QCOMPARE(chosen.Options.Descriptions, true);
        QCOMPARE(chosen.Options.SmallFont, true);
        QCOMPARE(chosen.Options.BlackAndWhite, false);

        dialog.Load(PrintDialogRequest { { std::string(PrintToPdfTarget) }, "Gone", {} });
        QCOMPARE(dialog.Printers->currentText(), QString::fromUtf8(PrintToPdfTarget));
        dialog.show();
        QTest::mouseClick(dialog.Cancel, Qt::LeftButton, {}, dialog.Cancel->rect().center());
        QCOMPARE(dialog.result(), int(QDialog::Rejected));
    }
};

} // namespace agendrix

AGENDRIX_LIST_WINDOW_SUITE(ListWindowPrintTest);

#include "frmListPrintQtTest.moc"
