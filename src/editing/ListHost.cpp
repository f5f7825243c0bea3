#include "ListHost.h"

namespace agendrix {

void ListHost::TaskChanged(const ChangeReport& report)
{
    Document().Dirty = true;
    ShowListItems();
    if (report.Description && CurrentSettings().AutoSelectsTasks())
        SelectRowShowing(*report.Description);
    if (report.Shortened == Shortening::InformationCut)
        ThePrompts().Tell(ShorteningMessage(), PromptIcon::Exclamation);
}

} // namespace agendrix
