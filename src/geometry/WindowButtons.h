#pragma once

#include "skin/ListWindowPlaces.h"

#include <cstddef>
#include <optional>
#include <string_view>

namespace agendrix {

// The strip of window buttons at the top right: Remote, Minimise, Maximise and Exit, 68 by 14
// pixels, x measured from the strip's left edge.
enum class WindowButton { Remote, Minimise, Maximise, Exit };

// The button whose press zone holds x; the gaps between zones belong to none.
inline std::optional<WindowButton> WindowButtonAt(int x)
{
    if (x > 0 && x < 16)
        return WindowButton::Remote;
    if (x > 17 && x < 34)
        return WindowButton::Minimise;
    if (x >= 34 && x < 50)
        return WindowButton::Maximise;
    if (x > 51 && x < 68)
        return WindowButton::Exit;
    return std::nullopt;
}

// Where the pressed picture of the button is drawn within the strip.
inline int PressedCellOffset(WindowButton button)
{
    return ListWindowPlaces::WindowButtonOffsets[static_cast<std::size_t>(button)];
}

inline std::string_view WindowButtonHint(WindowButton button)
{
    switch (button) {
    case WindowButton::Remote:
        return "Show Agendrix Remote Control";
    case WindowButton::Minimise:
        return "Minimise";
    case WindowButton::Maximise:
        return "Maximise";
    case WindowButton::Exit:
        return "Exit";
    }
    return {};
}

} // namespace agendrix
