// The list window's Print and Copy List commands.
#include "PrintPainter.h"
#include "frmList.h"
#include "frmPrint.h"

#include "editing/InlineEditors.h"

#include "model/ListCopy.h"
#include "skin/QtHelpers.h"

#include <QClipboard>
#include <QDate>
#include <QGuiApplication>
#include <QLocale>
#include <QPdfWriter>
#include <QPrinter>
#include <QPrinterInfo>
#include <QSaveFile>

namespace agendrix {

namespace {
    std::vector<std::string> InstalledPrinters()
    {
        std::vector<std::string> printers;
        for (const QString& name : QPrinterInfo::availablePrinterNames())
            printers.push_back(name.toStdString());
        return printers;
    }

    PrintOptions OptionsOf(const Settings& settings)
    {
        return PrintOptions { settings.PrintCompletes != 0, settings.PrintDs != 0, settings.PrintSmall != 0,
            settings.PrintClr };
    }

    void StoreChoice(Settings& settings, const PrintChoice& choice)
    {
        settings.PrintNm = choice.Target;
        settings.PrintCompletes = choice.Options.Completed ? 1 : 0;
        settings.PrintDs = choice.Options.Descriptions ? 1 : 0;
        settings.PrintSmall = choice.Options.SmallFont ? 1 : 0;
        settings.PrintClr = choice.Options.BlackAndWhite;
    }

    std::string PdfNameFor(const std::string& listName)
    {
        const std::string title = PrintTitle(listName);
        const std::string folder = listName.substr(0, listName.size() - FileNameOf(listName).size());
        return folder + (title.empty() ? std::string("Agendrix") : title) + ".pdf";
    }

    // Writes the PDF beside its final name and renames it over that only when it is complete.
    std::string WritePdf(const std::string& path, const PrintJob& job)
    {
        QSaveFile file(FromUtf8(path));
        if (!file.open(QIODevice::WriteOnly))
            return "The PDF file " + path + " could not be written: " + file.errorString().toStdString();
        {
            QPdfWriter writer(&file);
            writer.setPageMargins(QMarginsF(0, 0, 0, 0));
            writer.setTitle(FromUtf8(PrintTitle(job.ListName)));
            writer.setCreator(QStringLiteral("Agendrix"));
            if (!PrintList(writer, job))
                return "The PDF file " + path + " could not be written.";
        }
        if (!file.commit())
            return "The PDF file " + path + " could not be written: " + file.errorString().toStdString();
        return {};
    }

    std::string PrintOnPrinter(const std::string& printerName, const PrintJob& job)
    {
        if (printerName.empty())
            return "No printer is set up. Choose \"Print to PDF file\" to write the list to a PDF file.";
        QPrinter printer(QPrinter::HighResolution);
        printer.setPrinterName(FromUtf8(printerName));
        printer.setFullPage(true);
        printer.setDocName(FromUtf8(PrintTitle(job.ListName)));
        printer.setColorMode(job.Options.BlackAndWhite ? QPrinter::GrayScale : QPrinter::Color);
        if (!PrintList(printer, job))
            return "The printer " + printerName + " could not print the list.";
        return {};
    }

    // Prints on the chosen printer, or asks for the PDF file's name and writes it; the message
    // for the user when that failed, else nothing.
    std::string RunJob(const std::string& target, const std::vector<std::string>& printers,
        const std::string& defaultPrinter, const PrintJob& job, Prompts& prompts)
    {
        if (target != PrintToPdfTarget)
            return PrintOnPrinter(ChoosePrinter(printers, defaultPrinter, target), job);
        const auto path = prompts.ChooseFile(FileDialogRequest { FileDialogRequest::Kind::Save,
            std::string(PrintToPdfTarget), "PDF Files (*.pdf)|*.pdf", PdfNameFor(job.ListName) });
        if (!path || path->empty())
            return {};
        return WritePdf(*path, job);
    }
} // namespace

void frmList::CopyList()
{
    RowEditors->Finish();
    QGuiApplication::clipboard()->setText(FromUtf8(ListCopyText(List.Tasks.Lines())));
}

void frmList::Print()
{
    RowEditors->Finish();
    if (!ThePrintDialog)
        ThePrintDialog = std::make_unique<frmPrint>(this);
    const std::vector<std::string> printers = InstalledPrinters();
    const std::string defaultPrinter = QPrinterInfo::defaultPrinterName().toStdString();
    const std::vector<std::string> targets = PrintTargets(printers);
    SetNoHide(true);
    SetWindFloat(false, "Print Load");
    const std::optional<PrintChoice> choice = ThePrintDialog->Ask(PrintDialogRequest {
        targets, ChoosePrinter(targets, defaultPrinter, TheSettings.PrintNm), OptionsOf(TheSettings) });
    SetWindFloat(true, "Print Unload");
    SetNoHide(false);
    if (!choice)
        return;
    StoreChoice(TheSettings, *choice);
    const TaskLines stored = List.Tasks.Lines();
    const std::vector<std::string_view> lines(stored.begin(), stored.end());
    const CivilDate date = Today();
    const QString today = QLocale().toString(QDate(date.Year, date.Month, date.Day), QLocale::ShortFormat);
    const PrintJob job { lines, choice->Options, {}, today.toStdString(), List.ListName };
    const std::string error = RunJob(choice->Target, printers, defaultPrinter, job, Services.ThePrompts);
    if (!error.empty())
        Services.ThePrompts.Tell(error, PromptIcon::Critical);
}

} // namespace agendrix
