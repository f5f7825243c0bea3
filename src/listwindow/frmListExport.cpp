// Export to Web Page: the open list written as an HTML page through the program folder's
// template. The list itself is only read.
#include "frmList.h"

#include "editing/InlineEditors.h"

#include "model/WebPage.h"
#include "skin/QtHelpers.h"

#include <QDate>
#include <QDir>
#include <QLocale>

namespace agendrix {

namespace {
    const char* const WebPageDialogTitle = "Save Task List as Web Page";
    const char* const WebPageDialogFilter = "HTML Files (*.htm; *.html)|*.htm;*.html";

    // The date as the user's locale writes it short.
    std::string ShortDate(const CivilDate& date)
    {
        return QLocale().toString(QDate(date.Year, date.Month, date.Day), QLocale::ShortFormat).toStdString();
    }

    PromptAnswer AskYesOrNo(Prompts& prompts, std::string text, PromptButtons buttons)
    {
        return prompts.Ask(
            PromptRequest { "Agendrix", std::move(text), PromptIcon::Question, buttons, PromptAnswer::Yes });
    }
} // namespace

void frmList::ExportWebPage()
{
    RowEditors->Finish();
    Prompts& prompts = Services.ThePrompts;
    const auto page = prompts.ChooseFile(FileDialogRequest { FileDialogRequest::Kind::Save,
        WebPageDialogTitle, WebPageDialogFilter, WebPageTitle(List.ListName) });
    if (!page || page->empty())
        return;
    const TemplateCut cut = LoadPageTemplate(
        QDir(Services.ProgramFolder).filePath(FromUtf8(PageTemplateFileName)).toStdString());
    if (!cut.Template)
        return prompts.Tell(cut.Error, PromptIcon::Critical);
    if (IsTheListFile(*page, List.ListName))
        return prompts.Tell(PageOverListMessage(*page), PromptIcon::Critical);
    const PageColour colour
        = AskYesOrNo(prompts, "Would you like the list saved in color?", PromptButtons::YesNo)
            == PromptAnswer::Yes
        ? PageColour::ByCategory
        : PageColour::Grey;
    const std::string today = ShortDate(Today());
    const PageDetails details { List.ListName, today, colour };
    const FileError error = SaveFileAtomically(*page, [&](const WritePiece& write) {
        return WriteWebPage(*cut.Template, List.Tasks.Lines(), details, write);
    });
    if (!error.Message.empty())
        return prompts.Tell(error.Message, PromptIcon::Critical);
    if (AskYesOrNo(
            prompts, "Web page saved!\n\nWould you like to open the webpage now?", PromptButtons::YesNoCancel)
        == PromptAnswer::Yes)
        Services.TheShell.OpenDocument(*page, page->substr(0, page->rfind('/') + 1));
}

} // namespace agendrix
