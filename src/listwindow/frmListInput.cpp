// The list window's pointer and keyboard handling: scrolling, the grips, the window buttons and
// moving the window.
#include "frmList.h"

#include "model/TaskLine.h"
#include "skin/QtHelpers.h"

#include <QMouseEvent>
#include <QWheelEvent>

namespace agendrix {

namespace {
    bool Inside(const PixelRect& r, QPoint p) { return r.Contains(p.x(), p.y()); }
    // The thumb's cell is 13 by 13 pixels.
    constexpr int ThumbSize = 13;
    constexpr PixelRect MenuButtonPlace { 3, 3, 16, 14 };
} // namespace

frmList::Hit frmList::HitTest(QPoint p) const
{
    const SurfaceLayout& layout = View.Layout;
    if (Inside(layout.WindowControls, p))
        return Hit::WindowButtons;
    if (Inside(layout.ScrollUp, p))
        return Hit::ScrollUp;
    if (Inside(layout.ScrollDown, p))
        return Hit::ScrollDown;
    const PixelRect thumb { layout.SliderLeft, static_cast<int>(View.ThumbTop), ThumbSize, ThumbSize };
    if (Inside(thumb, p))
        return Hit::Thumb;
    if (Inside(View.Rows.SliderTrack, p))
        return Hit::Track;
    if (Inside(layout.ResizeGrip, p))
        return Hit::ResizeGrip;
    if (layout.InfoBlock && Inside(layout.AccDrag, p))
        return Hit::BlockGrip;
    if (Inside(MenuButtonPlace, p))
        return Hit::MenuButton;
    if (RowAt(p) >= 0)
        return Hit::Row;
    return View.Rows.Details && Inside(*View.Rows.Details, p) ? Hit::Details : Hit::Background;
}

int frmList::RowAt(QPoint p) const
{
    for (std::size_t i = 0; i < View.Rows.Rows.size(); ++i) {
        const RowPlacement& row = View.Rows.Rows[i];
        if (Inside(row.Lamp, p) || Inside(row.Label, p) || Inside(row.ControlBar, p))
            return static_cast<int>(i);
    }
    return -1;
}

void frmList::mousePressEvent(QMouseEvent* event)
{
    const QPoint p = event->position().toPoint();
    DragPoint = event->globalPosition().toPoint();
    GeometryAtPress = geometry();
    switch (HitTest(p)) {
    case Hit::WindowButtons:
        return PressWindowButton(p.x() - View.Layout.WindowControls.X);
    case Hit::ScrollUp:
        return PressScrollButton(ScrollDirection::Up);
    case Hit::ScrollDown:
        return PressScrollButton(ScrollDirection::Down);
    case Hit::Thumb:
        DragOn = Drag::Thumb;
        RowAtPress = FirstRow;
        View.Pressed = PressedPart::Thumb;
        return update();
    case Hit::Track:
        return PressTrack(p.y());
    case Hit::ResizeGrip:
        DragOn = isMaximized() ? Drag::None : Drag::Resize;
        return;
    case Hit::BlockGrip:
        DragOn = Drag::Block;
        AccAtPress = TheSettings.AccTextHgt;
        return;
    case Hit::Row:
        return PressRow(event);
    case Hit::Details:
        return PressDetails();
    case Hit::MenuButton:
        return PressMenuButton();
    case Hit::Background:
    case Hit::None:
        break;
    }
    if (event->button() != Qt::RightButton && !isMaximized()) {
        DragOn = Drag::Move;
        setCursor(Qt::SizeAllCursor);
    }
}

void frmList::mouseMoveEvent(QMouseEvent* event)
{
    const QPoint global = event->globalPosition().toPoint();
    const bool shiftAlone = event->modifiers() == Qt::ShiftModifier;
    switch (DragOn) {
    case Drag::Move:
        move(GeometryAtPress.topLeft() + (global - DragPoint));
        return;
    case Drag::Resize:
        return DragWindowGrip(global, !shiftAlone);
    case Drag::Thumb:
        return MoveThumb(global.y() - DragPoint.y());
    case Drag::Block:
        return DragBlockGrip(global.y() - DragPoint.y(),
            (event->buttons() == Qt::LeftButton) && event->modifiers() == Qt::NoModifier);
    case Drag::Bar:
    case Drag::Menu:
        return;
    case Drag::None:
        break;
    }
    HoverTexts(event->position().toPoint());
}

void frmList::mouseReleaseEvent(QMouseEvent* event)
{
    const Drag ended = DragOn;
    DragOn = Drag::None;
    unsetCursor();
    if (PressedButton)
        return ReleaseWindowButton(event->position().toPoint());
    if (ended == Drag::Bar)
        return ReleaseBar(event->position().toPoint());
    if (ended == Drag::Menu)
        return ReleaseMenuButton();
    if (View.Pressed != PressedPart::None) {
        View.Pressed = PressedPart::None;
        StopAutoScroll();
        update();
    }
    if (ended == Drag::Move) {
        TheSettings.WinLeft = x();
        TheSettings.WinTop = y();
    } else if (ended == Drag::Resize) {
        DragWindowGrip(event->globalPosition().toPoint(), event->modifiers() != Qt::ShiftModifier);
        ShowFileNameCaption();
    } else if (ended == Drag::Block) {
        CreateArrays();
    }
    if (ended == Drag::None)
        StopAutoScroll();
}

void frmList::HoverTexts(QPoint p)
{
    const Hit hit = HitTest(p);
    if (hit == Hit::ResizeGrip)
        return SetStatus(QStringLiteral("Resize List"));
    if (hit == Hit::BlockGrip)
        return SetStatus(QStringLiteral("Resize Accessory Text"));
    if (hit == Hit::WindowButtons) {
        const auto button = WindowButtonAt(p.x() - View.Layout.WindowControls.X);
        if (button) {
            const QString hint = FromUtf8(WindowButtonHint(*button));
            setToolTip(hint);
            SetStatus(hint);
        }
        return;
    }
    const int row = RowAt(p);
    if (row >= 0 && row < static_cast<int>(View.RowViews.size()))
        return MoveOverRow(row, p);
    setToolTip(QString());
    if (View.BarButton) {
        View.BarButton.reset();
        update();
    }
}

void frmList::wheelEvent(QWheelEvent* event)
{
    if (const int notches = Wheel.Add(event->angleDelta().y()); notches != 0) {
        FirstRow = WheelRowStart(FirstRow, notches, List.Tasks.Count());
        ShowListItems();
    }
    event->accept();
}

void frmList::PressScrollButton(ScrollDirection direction)
{
    View.Pressed = direction == ScrollDirection::Up ? PressedPart::ScrollUp : PressedPart::ScrollDown;
    FirstRow = ScrollButtonStep(FirstRow, direction, List.Tasks.Count());
    Scroll = AutoScroll { direction,
        direction == ScrollDirection::Down ? static_cast<float>(height() + 1000) : 0.0f,
        AutoScroll::FirstButtonDelay };
    ShowListItems();
    ScrollTimer.start(Scroll.Interval);
}

void frmList::PressTrack(int y)
{
    const ScrollDirection direction = y >= View.ThumbTop ? ScrollDirection::Down : ScrollDirection::Up;
    FirstRow = ClampToTasks(FirstRow + (direction == ScrollDirection::Down ? 1 : -1), List.Tasks.Count());
    Scroll = AutoScroll { direction, static_cast<float>(y), AutoScroll::TrackInterval };
    ShowListItems();
    ScrollTimer.start(Scroll.Interval);
}

void frmList::AutoScrollTick()
{
    FirstRow = Scroll.Tick(FirstRow, View.ThumbTop, List.Tasks.Count());
    if (Scroll.Interval == 0)
        ScrollTimer.stop();
    else if (ScrollTimer.interval() != Scroll.Interval)
        ScrollTimer.setInterval(Scroll.Interval);
    ShowListItems();
}

void frmList::StopAutoScroll()
{
    ScrollTimer.stop();
    Scroll.Interval = 0;
}

void frmList::MoveThumb(int dy)
{
    // The row under the thumb follows the pointer from where the thumb was pressed, whole tasks
    // at a time.
    const float step = SliderStep(View.Rows.SliderTrack.Height, List.Tasks.Count());
    const int row = ThumbDragRowStart(RowAtPress, static_cast<float>(dy), step, List.Tasks.Count());
    if (row != FirstRow) {
        FirstRow = row;
        ShowListItems();
    }
}

void frmList::DragWindowGrip(QPoint global, bool snap)
{
    const QPoint moved = global - DragPoint;
    const int w = ClampWindowWidth(GeometryAtPress.width() + moved.x());
    const int h = SnapWindowHeight(GeometryAtPress.height() + moved.y(), snap ? SnapRows::Yes : SnapRows::No);
    resize(w, h);
    TheSettings.WinWidth = w;
    TheSettings.WinHeight = h;
}

void frmList::DragBlockGrip(int dy, bool snap)
{
    TheSettings.AccTextHgt = BlockHeight(AccAtPress + dy, snap ? SnapRows::Yes : SnapRows::No);
    DrawSkin(0, -1);
}

void frmList::PressWindowButton(int x)
{
    PressedButton = WindowButtonAt(x);
    update();
}

void frmList::ReleaseWindowButton(QPoint p)
{
    const std::optional<WindowButton> pressed = PressedButton;
    PressedButton.reset();
    update();
    // Measured on the strip: a release acts within its 16 pixels of height and its pressed zone.
    const int x = p.x() - View.Layout.WindowControls.X;
    const int y = p.y() - View.Layout.WindowControls.Y;
    if (!pressed || y < 0 || y >= 16 || WindowButtonAt(x) != pressed)
        return;
    switch (*pressed) {
    case WindowButton::Remote:
        // The remote panel comes later; the button already keeps its setting.
        TheSettings.OpenRemote = !TheSettings.OpenRemote;
        return;
    case WindowButton::Minimise:
        return showMinimized();
    case WindowButton::Maximise:
        return isMaximized() ? showNormal() : showMaximized();
    case WindowButton::Exit:
        close();
        return;
    }
}

} // namespace agendrix
