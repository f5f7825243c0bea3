#pragma once

#include "skin/PixelRect.h"

#include <optional>

namespace agendrix {

// Where the task editor's controls lie on its background (taskedit.bmp), in pixels of the
// dialog. The background draws a frame around each field, so a field fills its rectangle.
namespace TaskEditorLayout {
    // The size of the default background, used when a skin has none.
    inline constexpr int Width = 420;
    inline constexpr int Height = 420;

    inline constexpr int PriorityOptions = 11; // "&Date Based" (0) to "Co&mpleted" (10)
    inline constexpr int DayKinds = 3; // weekdays only, weekends only, both

    inline constexpr PixelRect Description { 14, 43, 392, 20 }; // Text1(0)
    inline constexpr PixelRect Information { 14, 79, 392, 70 }; // Text1(1)
    inline constexpr PixelRect DatePicker { 258, 171, 138, 20 }; // DTPicker1
    inline constexpr PixelRect Days { 258, 197, 40, 20 }; // Text2
    // UpDown1 (298,197) 16x20, as two halves.
    inline constexpr PixelRect DaysUp { 298, 197, 16, 10 };
    inline constexpr PixelRect DaysDown { 298, 207, 16, 10 };
    inline constexpr PixelRect File { 14, 351, 304, 20 }; // Text3

    // Option1(i) and lblPrior(i); an option out of range has an empty rectangle.
    PixelRect PriorityOption(int option);
    PixelRect PriorityLabel(int option);

    // picOption2(i), and the whole row of caption and week picture that selects it as well.
    PixelRect DayKindPicture(int kind);
    PixelRect DayKindRow(int kind);
    std::optional<int> DayKindAt(int x, int y);
} // namespace TaskEditorLayout

// The picture buttons of the editor, each drawn from a cell of editbtns.bmp.
enum class EditorButton { Ok, Cancel, Browse, DeleteTask, Close };
enum class EditorButtonLook { Normal, Focused, Pressed };
enum class DayKindLook { Clear, Set };

PixelRect EditorButtonTarget(EditorButton button);
// Delete Task and the close cross never take the focus: their focused look is the normal cell.
PixelRect EditorButtonCell(EditorButton button, EditorButtonLook look);
PixelRect DayKindCell(DayKindLook look);

} // namespace agendrix
