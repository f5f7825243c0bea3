#include "Recovery.h"

#include "ListFile.h"

namespace agendrix {

std::string RecoveryPath(std::string_view listName, std::string_view programFolder)
{
    const bool isFile = HasBeenSaved(listName) && !listName.ends_with('/');
    return SiblingPath(
        isFile ? std::string(listName) : std::string(programFolder) + "/untitled.agl", ".recovered");
}

FileError WriteRecoveryCopy(const ListDocument& document, std::string_view programFolder, FileOps& ops)
{
    return SaveTasksAtomically(RecoveryPath(document.ListName, programFolder), document.Tasks, ops);
}

PromptRequest RecoveryQuestion(std::string_view listName)
{
    return PromptRequest { "Agendrix",
        "Agendrix had to close before the changes to \"" + std::string(FileNameOf(listName))
            + "\" were saved, and kept them in a copy. Restore the changes, or discard them?",
        PromptIcon::Question, PromptButtons::RestoreDiscard, PromptAnswer::Yes };
}

RecoveryChoice OfferRecoveryCopy(ListDocument& document, std::string_view programFolder, Prompts& prompts,
    const CivilDate& today, FileOps& ops)
{
    const std::string path = RecoveryPath(document.ListName, programFolder);
    ReadResult copy = ReadWholeFile(path, ops);
    if (copy.What != ReadResult::Status::Read)
        return RecoveryChoice::NoCopy;
    const PromptAnswer answer = prompts.Ask(RecoveryQuestion(document.ListName));
    if (answer != PromptAnswer::Yes && answer != PromptAnswer::No)
        return RecoveryChoice::NoCopy;
    if (answer == PromptAnswer::Yes) {
        document.Tasks.Load(std::move(ParseListFile(std::move(copy.Bytes), today).Loaded));
        document.Dirty = true;
    }
    ops.Unlink(path);
    return answer == PromptAnswer::Yes ? RecoveryChoice::Restored : RecoveryChoice::Discarded;
}

} // namespace agendrix
