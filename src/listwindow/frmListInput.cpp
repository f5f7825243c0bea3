// The list window's pointer and keyboard handling: scrolling, the grips, the window buttons and
// moving the window.
#include "frmList.h"
#include "frmRemote.h"

#include "skin/QtHelpers.h"

#include <QMouseEvent>
#include <QWheelEvent>

namespace agendrix {

namespace {
    // Shift alone frees the window's height from the rows.
    SnapRows WindowSnap(const QMouseEvent& event)
    {
        return event.modifiers() == Qt::ShiftModifier ? SnapRows::No : SnapRows::Yes;
    }

    // The block snaps only while the left button alone drags it with no key held.
    SnapRows BlockSnap(const QMouseEvent& event)
    {
        return event.buttons() == Qt::LeftButton && event.modifiers() == Qt::NoModifier ? SnapRows::Yes
                                                                                        : SnapRows::No;
    }
} // namespace

ListHit frmList::WhatIsAt(QPoint p) const
{
    return HitAt(View.Layout, View.Rows, View.ThumbTop, p.x(), p.y());
}

void frmList::mousePressEvent(QMouseEvent* event)
{
    const QPoint p = event->position().toPoint();
    DragPoint = event->globalPosition().toPoint();
    GeometryAtPress = geometry();
    const ListHit hit = WhatIsAt(p);
    switch (hit.Area) {
    case ListArea::WindowButtons:
        return PressWindowButton(hit.X);
    case ListArea::ScrollUp:
        return PressScrollButton(ScrollDirection::Up);
    case ListArea::ScrollDown:
        return PressScrollButton(ScrollDirection::Down);
    case ListArea::Thumb:
        return PressThumb();
    case ListArea::Track:
        return PressTrack(p.y());
    case ListArea::ResizeGrip:
        DragOn = isMaximized() || TheSettings.InSidebar() ? Drag::None : Drag::Resize;
        return;
    case ListArea::BlockGrip:
        DragOn = Drag::Block;
        AccAtPress = TheSettings.AccTextHgt;
        return;
    case ListArea::Row:
        return PressRow(hit, event->button(), event->globalPosition().toPoint());
    case ListArea::Details:
        return PressDetails();
    case ListArea::MenuButton:
        return PressMenuButton();
    case ListArea::Background:
        if (event->button() == Qt::RightButton) {
            OpenMenu(event->globalPosition().toPoint());
            return;
        }
        break;
    }
    if (event->button() != Qt::RightButton && !isMaximized() && !TheSettings.InSidebar()) {
        DragOn = Drag::Move;
        setCursor(Qt::SizeAllCursor);
    }
}

void frmList::mouseMoveEvent(QMouseEvent* event)
{
    const QPoint global = event->globalPosition().toPoint();
    switch (DragOn) {
    case Drag::Move:
        move(GeometryAtPress.topLeft() + (global - DragPoint));
        return;
    case Drag::Resize:
        return DragWindowGrip(global, WindowSnap(*event));
    case Drag::Thumb:
        return MoveThumb(global.y() - DragPoint.y());
    case Drag::Block:
        return DragBlockGrip(global.y() - DragPoint.y(), BlockSnap(*event));
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
        DragWindowGrip(event->globalPosition().toPoint(), WindowSnap(*event));
        ShowFileNameCaption();
    } else if (ended == Drag::Block) {
        CreateArrays();
    }
    if (ended == Drag::None)
        StopAutoScroll();
}

void frmList::HoverTexts(QPoint p)
{
    const ListHit hit = WhatIsAt(p);
    if (hit.Area == ListArea::ResizeGrip)
        return SetStatus(QStringLiteral("Resize List"));
    if (hit.Area == ListArea::BlockGrip)
        return SetStatus(QStringLiteral("Resize Accessory Text"));
    if (hit.Area == ListArea::WindowButtons) {
        if (const auto button = WindowButtonAt(hit.X)) {
            const QString hint = FromUtf8(WindowButtonHint(*button));
            setToolTip(hint);
            SetStatus(hint);
        }
        return;
    }
    if (hit.Area == ListArea::Row && hit.Row < static_cast<int>(View.RowViews.size()))
        return MoveOverRow(hit);
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

void frmList::PressThumb()
{
    DragOn = Drag::Thumb;
    RowAtPress = FirstRow;
    View.Pressed = PressedPart::Thumb;
    update();
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

void frmList::DragWindowGrip(QPoint global, SnapRows snap)
{
    const QPoint moved = global - DragPoint;
    const int w = ClampWindowWidth(GeometryAtPress.width() + moved.x());
    const int h = SnapWindowHeight(GeometryAtPress.height() + moved.y(), snap);
    resize(w, h);
    TheSettings.WinWidth = w;
    TheSettings.WinHeight = h;
}

void frmList::DragBlockGrip(int dy, SnapRows snap)
{
    TheSettings.AccTextHgt = BlockHeight(AccAtPress + dy, snap);
    DrawSkin(Redraw::Always);
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
        // The button opens the panel, and closes it when it is open.
        return RemotePanel ? RemoteClosed() : void(ShowRemote());
    // The sidebar keeps its place and size: it slides away instead.
    case WindowButton::Minimise:
        return TheSettings.InSidebar() ? void() : showMinimized();
    case WindowButton::Maximise:
        if (TheSettings.InSidebar())
            return;
        return isMaximized() ? showNormal() : showMaximized();
    case WindowButton::Exit:
        close();
        return;
    }
}

} // namespace agendrix
