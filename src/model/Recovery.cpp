#include "Recovery.h"

#include "ListFile.h"

#include <cstdint>
#include <cstdio>

namespace agendrix {

std::string RecoveryPath(std::string_view listName, std::string_view programFolder)
{
    const bool isFile = HasBeenSaved(listName) && !listName.ends_with('/');
    return SiblingPath(
        isFile ? std::string(listName) : std::string(programFolder) + "/untitled.agl", ".recovered");
}

std::string FallbackRecoveryPath(std::string_view listName, std::string_view programFolder)
{
    std::uint64_t hash = 14695981039346656037ULL; // FNV-1a of the whole path
    for (const char c : listName)
        hash = (hash ^ static_cast<unsigned char>(c)) * 1099511628211ULL;
    char hex[17];
    std::snprintf(hex, sizeof hex, "%016llx", static_cast<unsigned long long>(hash));
    const std::string_view name = FileNameOf(listName);
    std::string beside(programFolder);
    beside += '/';
    beside += name.empty() ? std::string_view("untitled.agl") : name;
    std::string suffix(1, '.');
    suffix += hex;
    suffix += ".recovered";
    return SiblingPath(beside, suffix);
}

FileError WriteRecoveryCopy(const ListDocument& document, std::string_view programFolder, FileOps& ops)
{
    const FileError beside
        = SaveTasksAtomically(RecoveryPath(document.ListName, programFolder), document.Tasks, ops);
    if (beside.Message.empty())
        return beside;
    const FileError fallback
        = SaveTasksAtomically(FallbackRecoveryPath(document.ListName, programFolder), document.Tasks, ops);
    return fallback.Message.empty()
        ? fallback
        : FileError { beside.Path, beside.ErrorNumber, beside.Message + " " + fallback.Message };
}

bool HasRecoveryCopy(std::string_view listName, std::string_view programFolder)
{
    return FileExists(RecoveryPath(listName, programFolder))
        || FileExists(FallbackRecoveryPath(listName, programFolder));
}

PromptRequest RecoveryQuestion(std::string_view listName)
{
    return PromptRequest { "Agendrix",
        "Agendrix had to close before the changes to \"" + std::string(FileNameOf(listName))
            + "\" were saved, and kept them in a copy. Restore the changes, or discard them?",
        PromptIcon::Question, PromptButtons::RestoreDiscard, PromptAnswer::Yes };
}

namespace {
    RecoveryChoice OfferCopyAt(const std::string& path, ListDocument& document, Prompts& prompts,
        const CivilDate& today, FileOps& ops)
    {
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
} // namespace

RecoveryChoice OfferRecoveryCopy(ListDocument& document, std::string_view programFolder, Prompts& prompts,
    const CivilDate& today, FileOps& ops)
{
    const RecoveryChoice beside
        = OfferCopyAt(RecoveryPath(document.ListName, programFolder), document, prompts, today, ops);
    if (beside != RecoveryChoice::NoCopy)
        return beside;
    return OfferCopyAt(FallbackRecoveryPath(document.ListName, programFolder), document, prompts, today, ops);
}

} // namespace agendrix
