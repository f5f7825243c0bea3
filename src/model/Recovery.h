#pragma once

#include "CivilDate.h"
#include "FileAccess.h"
#include "ListDocument.h"
#include "Prompts.h"

#include <string>
#include <string_view>

namespace agendrix {

// When the program is told to end at once (a logout, a shutdown, SIGTERM) it has no time to ask
// about unsaved changes. It writes them to a recovery copy beside the list instead, never over
// the list itself, and offers the copy the next time that list is opened.

// "/lists/.home.agl.recovered" for "/lists/home.agl"; a list that was never saved has its copy
// in the program folder.
std::string RecoveryPath(std::string_view listName, std::string_view programFolder);

// Where the copy goes when the list's own folder cannot take one (a read-only folder): the
// program folder, under the list's name and a hash of its whole path.
std::string FallbackRecoveryPath(std::string_view listName, std::string_view programFolder);

// Writes the copy beside the list, or else in the program folder.
FileError WriteRecoveryCopy(
    const ListDocument& document, std::string_view programFolder, FileOps& ops = SystemFileOps());

enum class RecoveryChoice { NoCopy, Restored, Discarded };

// Whether the list has a recovery copy that OfferRecoveryCopy may offer, beside it or in the
// program folder; a look that reads nothing.
bool HasRecoveryCopy(std::string_view listName, std::string_view programFolder);

// When the list has a recovery copy (beside it, or else in the program folder), asks whether to restore or
// discard it. Restoring puts the copy's tasks in the list and marks it changed; either way the copy is
// removed once chosen.
RecoveryChoice OfferRecoveryCopy(ListDocument& document, std::string_view programFolder, Prompts& prompts,
    const CivilDate& today, FileOps& ops = SystemFileOps());

// The question asked, with "Restore" and "Discard" as its buttons.
PromptRequest RecoveryQuestion(std::string_view listName);

} // namespace agendrix
