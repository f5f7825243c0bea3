// The task editor, the remote panel and the sidebar's drag tab. The backgrounds are drawn around
// the control rectangles of SkinLayout.h; every button cell is drawn over the background it will
// cover, so that its rounded corners match.

#include "DialogArt.h"

#include "ListWindowArt.h"
#include "PixelFont.h"
#include "SkinLayout.h"
#include "Widgets.h"

#include <array>
#include <string_view>

namespace agendrix::skins {

namespace {

    // A borderless dialog: outline, a title band of `titleHeight` rows, a flat body.
    Image DialogFrame(const Theme& theme, int width, int height, int titleHeight)
    {
        Image img(width, height, theme.PanelBack);
        img.HLine(1, width - 2, 1, theme.TitleGloss);
        VerticalGradient(img, { 1, 2, width - 2, titleHeight - 3 }, theme.TitleTop, theme.TitleBottom);
        img.HLine(1, width - 2, titleHeight - 1, theme.TitleEdge);
        Bevel(
            img, { 1, titleHeight, width - 2, height - titleHeight - 1 }, theme.GroupLight, theme.GroupDark);
        Frame(img, { 0, 0, width, height }, theme.Outline);
        return img;
    }

    // A close button on a title band; `background` is what lies under it.
    Image CloseButton(const Theme& theme, const Image& background, Rect where, Face face)
    {
        Image img = background.Crop(where);
        DrawButtonFace(img, theme, { 0, 0, where.W, where.H }, face, 3.0);
        const double d = face == Face::Pressed ? 1.0 : 0.0;
        if (face != Face::Pressed)
            DrawCross(img, where.W / 2.0 + d, where.H / 2.0 + 0.5 + d, 2.8, 1.7, theme.GlyphShadow);
        DrawCross(img, where.W / 2.0 + d, where.H / 2.0 + d, 2.8, 1.7, theme.Glyph);
        return img;
    }

    // A captioned push button of the dialogs.
    Image CaptionButton(const Theme& theme, const Image& background, Rect where, Rect face,
        std::string_view caption, Face state)
    {
        Image img = background.Crop(where);
        DrawButtonFace(img, theme, face, state, 3.5);
        const int d = state == Face::Pressed ? 1 : 0;
        PixelFont::DrawCaptionCentred(img, face.Moved(d, d), caption, theme.Glyph, true);
        return img;
    }

    // The editor's round option picture, 8 by 8.
    Image OptionPicture(const Theme& theme, const Image& background, Rect where, bool set)
    {
        Image img = background.Crop(where);
        FillRegion(img, { 0, 0, 8, 8 }, Disc(4.0, 4.0, 4.0), theme.GroupDark);
        FillRegion(img, { 0, 0, 8, 8 }, Disc(4.0, 4.0, 3.0), theme.FieldBack);
        FillRegion(img, { 0, 0, 8, 8 }, EllipseRegion(4.0, 4.6, 3.0, 2.4), theme.GroupLight, 0.35);
        if (set)
            FillRegion(img, { 0, 0, 8, 8 }, Disc(4.0, 4.0, 1.9), theme.Accent);
        return img;
    }

    // A tiny calendar leaf: the swatch of "Date Based".
    void DrawCalendarSwatch(Image& img, int x, int y, const Theme& theme)
    {
        img.Fill({ x, y, 9, 9 }, White);
        img.Fill({ x, y, 9, 3 }, theme.Danger);
        Frame(img, { x, y, 9, 9 }, Darker(theme.Glyph, 0.1));
        for (int i = 0; i < 3; ++i)
            for (int j = 0; j < 2; ++j)
                img.Set(x + 2 + 2 * i, y + 4 + 2 * j, Mix(theme.Glyph, White, 0.35));
    }

    // Seven day boxes, the counted days filled in.
    void DrawWeek(Image& img, int x, int y, const Theme& theme, int kind)
    {
        constexpr std::array<char, 7> letters { 'M', 'T', 'W', 'T', 'F', 'S', 'S' };
        for (int day = 0; day < 7; ++day) {
            const bool weekend = day >= 5;
            const bool counted = kind == 2 || (kind == 0 && !weekend) || (kind == 1 && weekend);
            const Rect box { x + 10 * day, y, 9, 12 };
            if (counted) {
                VerticalGradient(img, box, Lighter(theme.Accent, 0.2), Darker(theme.Accent, 0.1));
                Frame(img, box, Darker(theme.Accent, 0.35));
            } else {
                img.Fill(box, theme.FieldBack);
                Frame(img, box, theme.GroupDark);
            }
            const char letter[2] = { letters[static_cast<std::size_t>(day)], '\0' };
            const int w = PixelFont::Width(letter);
            PixelFont::Draw(img, box.X + (9 - w) / 2, box.Y + 3, letter,
                counted ? White : Mix(theme.FieldText, theme.FieldBack, 0.55));
        }
    }

    constexpr std::array<std::string_view, 3> DayKinds { "Weekdays only", "Weekends only", "Both" };

    // The remote panel's title mark: a lamp and the panel's name, lit while it is active.
    Image RemoteTitleMark(const Theme& theme, const Image& background, bool active)
    {
        Image img = background.Crop(RemoteLayout::TitleMark);
        DrawLed(img, 9.5, 10.0, 3.4, theme.Led, active);
        PixelFont::Draw(img, 17, 8, "Remote", Darker(theme.TitleBottom, 0.45));
        PixelFont::Draw(img, 16, 7, "Remote", active ? theme.TitleText : theme.TitleTextDim);
        return img;
    }

    Image RemoteBackgroundWithoutMark(const Theme& theme)
    {
        using namespace RemoteLayout;
        Image img = DialogFrame(theme, Width, Height, TitleHeight);
        for (const Section& s : Sections) {
            PixelFont::Draw(img, 10, s.Top, s.Caption, theme.PanelTextDim, true);
            DrawEtchedLine(img, theme, 10 + PixelFont::Width(s.Caption, true) + 6, Width - 10, s.Top + 3);
        }
        PixelFont::Draw(img, CheckLabel.X, CheckLabel.Y + (CheckLabel.H - PixelFont::CapHeight) / 2,
            "Auto Purge", theme.PanelText);
        // The program's name in the free place beside the last buttons.
        const int markWidth = PixelFont::Width("Agendrix") + 12;
        const int markX = Width - 10 - markWidth;
        const int markY = Buttons.back().Place.Y + 8;
        DrawLed(img, markX + 3.5, markY + 3.5, 2.6, theme.Led, false);
        PixelFont::Draw(img, markX + 12, markY, "Agendrix", theme.PanelTextDim);
        return img;
    }

    Image CheckPicture(const Theme& theme, const Image& background, bool set)
    {
        Image img = background.Crop(RemoteLayout::Check);
        img.Fill({ 1, 1, 10, 10 }, theme.FieldBack);
        Bevel(img, { 0, 0, 12, 12 }, theme.GroupDark, theme.GroupLight);
        img.HLine(1, 10, 1, Mix(theme.FieldBack, theme.GroupDark, 0.35));
        if (set)
            DrawTick(img, 6.0, 6.2, 0.62, 1.7, theme.Check);
        return img;
    }

} // namespace

Image EditorBackground(const Theme& theme)
{
    using namespace EditorLayout;
    Image img = DialogFrame(theme, Width, Height, TitleHeight);
    DrawLamp(img, 14.0, 12.0, 5.0, LampLookOf(4), theme.LampShadow);
    PixelFont::Draw(img, 25, 9, "Task Details", Darker(theme.TitleBottom, 0.45), true);
    PixelFont::Draw(img, 24, 8, "Task Details", theme.TitleText, true);
    img.Paste(CloseButton(theme, img, Close, Face::Normal), Close.X, Close.Y);

    PixelFont::Draw(img, Description.X, Description.Y - 11, "Description", theme.PanelText);
    DrawField(img, theme, Description, theme.FieldBack);
    PixelFont::Draw(img, Information.X, Information.Y - 11, "Information", theme.PanelText);
    DrawField(img, theme, Information, theme.FieldBack);

    DrawGroup(img, theme, PriorityGroup, "Priority");
    for (int i = 0; i <= 10; ++i) {
        const int y = OptionTop + OptionStep * i;
        if (i == 0)
            DrawCalendarSwatch(img, SwatchLeft, y + 2, theme);
        else
            DrawLamp(img, SwatchLeft + 4.5, y + 6.5, 4.4, LampLookOf(i), theme.LampShadow * 0.6);
    }

    DrawGroup(img, theme, DateGroup, "Date Details");
    const int captionX = DateGroup.X + 10;
    PixelFont::Draw(img, captionX, DatePicker.Y + 7, "Date", theme.PanelText);
    DrawField(img, theme, DatePicker, theme.FieldBack);
    PixelFont::Draw(img, captionX, Days.Y + 7, "Days", theme.PanelText);
    DrawField(img, theme, Days, theme.FieldBack);
    PixelFont::Draw(img, DaysUpDown.Right() + 6, Days.Y + 7, "to complete", theme.PanelText);
    DrawEtchedLine(img, theme, captionX, DateGroup.Right() - 10, DayKindTop - 22);
    PixelFont::Draw(img, captionX, DayKindTop - 15, "Days that count", theme.PanelTextDim);
    for (int i = 0; i < 3; ++i) {
        const int y = DayKindTop + DayKindStep * i;
        PixelFont::Draw(img, DayKindLeft + 14, y + 2, DayKinds[static_cast<std::size_t>(i)], theme.PanelText);
        DrawWeek(img, WeekPictureLeft, y, theme, i);
    }

    PixelFont::Draw(img, File.X, File.Y - 11, "Associated File", theme.PanelText);
    DrawField(img, theme, File, theme.FieldBack);
    DrawEtchedLine(img, theme, 8, Width - 9, Ok.Y - 8);

    // The day-kind options unselected, as the editor shows them before it paints its own.
    for (int i = 0; i < 3; ++i) {
        const Rect option { DayKindLeft, DayKindTop + DayKindStep * i + 2, 8, 8 };
        img.Paste(OptionPicture(theme, img, option, false), option.X, option.Y);
    }
    return img;
}

Image EditorButtons(const Theme& theme)
{
    using namespace EditorLayout;
    const Image background = EditorBackground(theme);
    Image sheet(227, 120, theme.PanelBack);
    const Face states[] = { Face::Normal, Face::Focused, Face::Pressed };
    for (int s = 0; s < 3; ++s) {
        const int y = 25 * s;
        sheet.Paste(CaptionButton(theme, background, Ok, { 0, 0, 73, 25 }, "&OK", states[s]), 0, y);
        sheet.Paste(CaptionButton(theme, background, Cancel, { 0, 0, 73, 25 }, "&Cancel", states[s]), 73, y);
        sheet.Paste(CaptionButton(theme, background, Browse, { 0, 0, 81, 25 }, "&Browse", states[s]), 146, y);
    }
    sheet.Paste(
        CaptionButton(theme, background, DeleteTask, { 0, 0, 109, 17 }, "Delete Task", Face::Normal), 0, 75);
    sheet.Paste(
        CaptionButton(theme, background, DeleteTask, { 0, 0, 109, 17 }, "Delete Task", Face::Pressed), 0, 92);
    sheet.Paste(CloseButton(theme, background, Close, Face::Normal), 109, 75);
    sheet.Paste(CloseButton(theme, background, Close, Face::Pressed), 109, 89);
    const Rect option { DayKindLeft, DayKindTop + 2, 8, 8 };
    sheet.Paste(OptionPicture(theme, background, option, false), 109, 111);
    sheet.Paste(OptionPicture(theme, background, option, true), 117, 111);
    return sheet;
}

Image RemoteBackground(const Theme& theme)
{
    using namespace RemoteLayout;
    Image img = RemoteBackgroundWithoutMark(theme);
    img.Paste(RemoteTitleMark(theme, img, false), TitleMark.X, TitleMark.Y);
    img.Paste(CloseButton(theme, img, Close, Face::Normal), Close.X, Close.Y);
    return img;
}

Image RemoteButtons(const Theme& theme)
{
    using namespace RemoteLayout;
    const Image background = RemoteBackgroundWithoutMark(theme);
    Image sheet(RemoteCells::SheetWidth, RemoteCells::SheetHeight, theme.PanelBack);
    const Face states[] = { Face::Normal, Face::Focused, Face::Pressed };
    for (const Button& button : Buttons) {
        const bool tall = button.Place.Height == 25;
        const Rect face = tall ? Rect { 0, 0, 89, 25 } : Rect { 0, 1, 89, 20 };
        for (int s = 0; s < 3; ++s)
            sheet.Paste(
                CaptionButton(theme, background, FromPixels(button.Place), face, button.Caption, states[s]),
                button.Cell.X, button.Cell.Y + s * button.FaceStep);
    }
    const auto pasteAt
        = [&sheet](const Image& picture, const PixelRect& cell) { sheet.Paste(picture, cell.X, cell.Y); };
    pasteAt(CloseButton(theme, background, Close, Face::Normal), RemoteCells::CloseNormal);
    pasteAt(CloseButton(theme, background, Close, Face::Pressed), RemoteCells::ClosePressed);
    pasteAt(RemoteTitleMark(theme, background, false), RemoteCells::TitleMarkInactive);
    pasteAt(RemoteTitleMark(theme, background, true), RemoteCells::TitleMarkActive);
    pasteAt(CheckPicture(theme, background, false), RemoteCells::CheckClear);
    pasteAt(CheckPicture(theme, background, true), RemoteCells::CheckSet);
    return sheet;
}

Image DragTab(const Theme& theme)
{
    constexpr int width = 18;
    constexpr int height = 100;
    // A narrow body with rounded ends and a round grip bulging out in its middle. The right
    // edge meets the list window's frame.
    const Region shape
        = Union(RoundedBox(5.0, 0.0, width + 6.0, height, 5.0), EllipseRegion(9.5, height / 2.0, 9.5, 17.0));
    auto inside = [&](int x, int y) {
        if (x >= width)
            return y >= 0 && y < height && shape(width - 0.5, y + 0.5);
        return x >= 0 && y >= 0 && y < height && shape(x + 0.5, y + 0.5);
    };

    Image img(width, height, DragTabKey);
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            if (!inside(x, y))
                continue;
            const bool edge
                = !inside(x - 1, y) || !inside(x + 1, y) || !inside(x, y - 1) || !inside(x, y + 1);
            if (edge) {
                img.Set(x, y, theme.Outline);
                continue;
            }
            const bool lit = !inside(x - 2, y) || !inside(x, y - 2);
            const bool shaded = !inside(x, y + 2);
            const Rgb body = Mix(
                Lighter(theme.Rail, 0.15), Darker(theme.Rail, 0.12), x / static_cast<double>(width - 1));
            img.Set(x, y, lit ? theme.RailLight : (shaded ? theme.RailShadow : body));
        }
    }

    // Grip dots along the body and an arrow in the bulge: pull the list out.
    for (int y = 18; y <= 30; y += 3)
        for (int yy : { y, height - 1 - y }) {
            img.Set(11, yy, theme.RailShadow);
            img.Set(12, yy + 1, theme.RailLight);
        }
    DrawChevronsLeft(img, 9.5, height / 2.0 + 0.5, theme.RailLight);
    DrawChevronsLeft(img, 9.5, height / 2.0, theme.Glyph);
    return img;
}

} // namespace agendrix::skins
