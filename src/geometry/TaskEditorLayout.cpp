#include "TaskEditorLayout.h"

namespace agendrix {

namespace {
    constexpr int OptionTop = 170;
    constexpr int OptionStep = 14;
    constexpr int DayKindTop = 246;
    constexpr int DayKindStep = 24;
    // The 25-high cells of OK, Cancel and Browse: normal, focused and pressed rows.
    constexpr int TallCellHeight = 25;
} // namespace

namespace TaskEditorLayout {
    PixelRect PriorityOption(int option)
    {
        if (option < 0 || option >= PriorityOptions)
            return {};
        return { 22, OptionTop + OptionStep * option, 13, 13 };
    }

    PixelRect PriorityLabel(int option)
    {
        if (option < 0 || option >= PriorityOptions)
            return {};
        return { 52, OptionTop + OptionStep * option, 142, 13 };
    }

    PixelRect DayKindPicture(int kind)
    {
        if (kind < 0 || kind >= DayKinds)
            return {};
        return { 220, DayKindTop + DayKindStep * kind + 2, 8, 8 };
    }

    PixelRect DayKindRow(int kind)
    {
        if (kind < 0 || kind >= DayKinds)
            return {};
        return { 220, DayKindTop + DayKindStep * kind, 176, 12 };
    }

    std::optional<int> DayKindAt(int x, int y)
    {
        for (int kind = 0; kind < DayKinds; ++kind)
            if (DayKindRow(kind).Contains(x, y))
                return kind;
        return std::nullopt;
    }
} // namespace TaskEditorLayout

PixelRect EditorButtonTarget(EditorButton button)
{
    switch (button) {
    case EditorButton::Ok:
        return { 254, 390, 73, 25 };
    case EditorButton::Cancel:
        return { 333, 390, 73, 25 };
    case EditorButton::Browse:
        return { 325, 349, 81, 25 };
    case EditorButton::DeleteTask:
        return { 14, 394, 109, 17 };
    case EditorButton::Close:
        return { 398, 5, 16, 14 };
    }
    return {};
}

PixelRect EditorButtonCell(EditorButton button, EditorButtonLook look)
{
    const int row = static_cast<int>(look);
    const bool pressed = look == EditorButtonLook::Pressed;
    switch (button) {
    case EditorButton::Ok:
        return { 0, TallCellHeight * row, 73, 25 };
    case EditorButton::Cancel:
        return { 73, TallCellHeight * row, 73, 25 };
    case EditorButton::Browse:
        return { 146, TallCellHeight * row, 81, 25 };
    case EditorButton::DeleteTask:
        return { 0, pressed ? 92 : 75, 109, 17 };
    case EditorButton::Close:
        return { 109, pressed ? 89 : 75, 16, 14 };
    }
    return {};
}

PixelRect DayKindCell(DayKindLook look) { return { look == DayKindLook::Set ? 117 : 109, 111, 8, 8 }; }

} // namespace agendrix
