// The list window's import of a plain text file as a new list.
#include "frmList.h"

#include "model/TextImport.h"

namespace agendrix {

namespace {
    const char* const ImportDialogTitle = "Import list from text file";
    const char* const ImportDialogFilter = "Text Files (*.txt)|*.txt";
    const char* const LineNumbersQuestion
        = "Would you like to add line numbers to the file?\nThis will keep the "
          "list in the same order it was\nin the text file.";
} // namespace

void frmList::ImportTextList()
{
    // Yes and No only, as on closing: a save that failed stops the import, or the changes would
    // be lost.
    if (AskToSave(PromptButtons::YesNo) == SaveChoice::Failed)
        return;
    const auto chosen = Services.ThePrompts.ChooseFile(
        FileDialogRequest { FileDialogRequest::Kind::Open, ImportDialogTitle, ImportDialogFilter, {} });
    if (!chosen)
        return;
    const PromptAnswer answer = Services.ThePrompts.Ask(PromptRequest {
        "Agendrix", LineNumbersQuestion, PromptIcon::Question, PromptButtons::YesNo, PromptAnswer::Yes });
    const LineNumbers numbers = answer == PromptAnswer::Yes ? LineNumbers::With : LineNumbers::Without;
    TextImport imported = ImportTextFile(*chosen, numbers, Services.TheClock.Now().Date);
    if (imported.What == TextImport::Status::Failed) {
        Services.ThePrompts.Tell(imported.Error.Message, PromptIcon::Critical);
        return;
    }
    // The list has a name but no folder, so that a save asks where it goes, and the settings keep
    // naming the last list that has a file. It is marked changed: it exists nowhere but here, and
    // closing must offer to save it.
    List.ListName = imported.ListName;
    List.Tasks.Load(std::move(imported.Text.Loaded));
    List.Dirty = true;
    FirstRow = 0;
    RefreshTitle();
    ShowListItems();
    AnimateCtrls();
    if (const std::string notice = ImportNotice(*chosen, imported.Text); !notice.empty())
        Services.ThePrompts.Tell(notice);
}

} // namespace agendrix
