#include "frmList.h"

#include "environment/frmAbout.h"

namespace agendrix {

frmAbout* frmList::ShowAbout()
{
    const DateTime now = Services.TheClock.Now();
    // The shelf is drawn differently each time the box is opened, and alike under a fixed clock.
    const auto seed = static_cast<std::uint32_t>(DaysFromCivil(now.Date) * 86400 + now.SecondsOfDay);
    auto* box = new frmAbout(*this, Services.TheShell, AboutOptions { "Agendrix", seed }, this);
    box->Open();
    return box;
}

} // namespace agendrix
