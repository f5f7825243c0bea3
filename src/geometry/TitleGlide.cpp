#include "TitleGlide.h"

namespace agendrix {

bool TitleGlide::Tick()
{
    if (Finished)
        return false;
    Width += 5;
    if (Width > 73) {
        // This phase's strip is now drawn in full.
        Width = 0;
        if (Phase == 1) {
            Finished = true;
            return false;
        }
        Phase = 1;
    }
    return true;
}

} // namespace agendrix
