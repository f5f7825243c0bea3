#include "frmPicker.h"

#include "ListHost.h"
#include "ListText.h"

#include "model/ListIndex.h"
#include "model/TaskEditing.h"
#include "model/TaskLine.h"
#include "model/Windows1252.h"
#include "skin/QtHelpers.h"

#include <QCloseEvent>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QScreen>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>

namespace agendrix {

namespace {
    PixelRect UsableScreenArea(QPoint point)
    {
        QScreen* screen = QGuiApplication::screenAt(point);
        if (screen == nullptr)
            screen = QGuiApplication::primaryScreen();
        if (screen == nullptr)
            return { point.x(), point.y(), 1 << 16, 1 << 16 };
        return ToPixelRect(screen->availableGeometry());
    }
} // namespace

frmPicker::frmPicker(ListHost& host, std::size_t taskIndex, QPoint point, QColor lineColour, QWidget* owner)
    : QWidget(owner, Qt::Popup | Qt::FramelessWindowHint)
    , Host(host)
    , TaskIndex(taskIndex)
    , OpenPoint(point)
    , SeparatorColour(ToQColor(SeparatorShade(ToRgb(lineColour))))
    , Layout(LayOutPicker())
{
    setObjectName(QStringLiteral("frmPicker"));
    setMouseTracking(true);
    setFocusPolicy(Qt::StrongFocus);
    setAttribute(Qt::WA_OpaquePaintEvent);
    setFont(UiFont());
    setFixedSize(Layout.Width, Layout.Height);
    // A switch to another program takes the focus away without a click that the popup sees.
    connect(qApp, &QGuiApplication::applicationStateChanged, this, [this](Qt::ApplicationState state) {
        if (state != Qt::ApplicationActive && isVisible())
            Unload();
    });
}

void frmPicker::Open()
{
    if (Opened)
        return;
    Opened = true;
    Host.SetWindFloat(false, "Picker Load");
    const PixelPoint corner = PickerPosition(
        { OpenPoint.x(), OpenPoint.y() }, Layout.Width, Layout.Height, UsableScreenArea(OpenPoint));
    move(corner.X, corner.Y);
    const TaskStore& tasks = Host.Document().Tasks;
    if (TaskIndex >= tasks.Count())
        return Unload();
    OpenedLine = tasks.Line(TaskIndex);
    Highlight(
        IsDateBasedLine(OpenedLine) ? CodeNotAssessed : PriorityCode(OpenedLine).value_or(CodeUnprioritized));
    show();
    activateWindow();
    setFocus(Qt::PopupFocusReason);
}

std::optional<int> frmPicker::EntryAt(QPoint point) const
{
    if (!rect().contains(point))
        return std::nullopt;
    return PickerEntryAt(Layout, point.x(), point.y());
}

void frmPicker::Highlight(std::optional<int> entry)
{
    if (entry == Target)
        return;
    Target = entry;
    if (entry && *entry < PickerOptionCount)
        Selected = *entry;
    update();
}

void frmPicker::Step(int by)
{
    const int from = Target.value_or(Selected);
    Highlight(std::clamp(from + by, 0, PickerEntryCount - 1));
}

void frmPicker::Choose(int entry)
{
    if (entry == DeleteTaskEntry)
        DeleteTask();
    else
        ApplyPriority(entry);
}

// The list window stays live while the picker is open and may have moved the task since.
std::optional<std::size_t> frmPicker::TaskNow() const
{
    return Host.Document().Tasks.Find(OpenedLine, TaskIndex);
}

void frmPicker::ApplyPriority(int option)
{
    const std::optional<std::size_t> index = TaskNow();
    if (!index)
        return Unload();
    TaskStore& tasks = Host.Document().Tasks;
    const ChangedTask changed = WithPickedPriority(tasks.Line(*index), option, Host.Today());
    tasks.Replace(*index, changed.Line);
    hide();
    Host.TaskChanged({ changed.Description, Shortening::None });
    Unload();
}

void frmPicker::DeleteTask()
{
    const std::optional<std::size_t> shown = TaskNow();
    if (shown && Host.Document().ListName == ListIndexName) {
        hide();
        DeleteListFile(PathFromFileText(GetField(Host.Document().Tasks.Line(*shown), TaskField::File)));
    } else if (shown) {
        // The question is a window of its own; the popup would otherwise keep the pointer grab.
        hide();
        const PromptRequest question { "Agendrix", "Are you sure you wish to delete this task?",
            PromptIcon::Question, PromptButtons::YesNoCancel, PromptAnswer::Yes };
        const PromptAnswer answer = Host.ThePrompts().Ask(question);
        if (const std::optional<std::size_t> index = TaskNow(); index && answer == PromptAnswer::Yes) {
            Host.Document().Tasks.Remove(*index);
            Host.TaskChanged({});
        }
    }
    Unload();
}

void frmPicker::DeleteListFile(const std::string& path)
{
    // Enter keeps the file: a deleted list cannot be brought back.
    const PromptRequest question { "Delete Agendrix List",
        "Are you sure you wish to delete the following Agendrix list file?\n\n" + path
            + "\n\nThis action cannot be undone.",
        PromptIcon::Question, PromptButtons::YesNoCancel, PromptAnswer::No };
    if (Host.ThePrompts().Ask(question) != PromptAnswer::Yes)
        return;
    if (std::remove(path.c_str()) != 0) {
        Host.ThePrompts().Tell(
            "Could not delete \"" + path + "\": " + std::strerror(errno) + ".", PromptIcon::Critical);
        return;
    }
    Host.ListFileDeleted();
}

void frmPicker::Unload()
{
    if (Unloaded)
        return;
    Unloaded = true;
    hide();
    Host.SetWindFloat(true, "Picker Unload");
    emit Closed();
    deleteLater();
}

void frmPicker::mousePressEvent(QMouseEvent* event)
{
    if (Unloaded)
        return;
    const QPoint point = event->position().toPoint();
    if (!rect().contains(point))
        return Unload();
    PressedInside = true;
    if (const std::optional<int> entry = EntryAt(point))
        Highlight(entry);
}

void frmPicker::mouseMoveEvent(QMouseEvent* event)
{
    if (!Unloaded)
        Highlight(EntryAt(event->position().toPoint()));
}

void frmPicker::mouseReleaseEvent(QMouseEvent* event)
{
    if (Unloaded || !PressedInside)
        return;
    if (const std::optional<int> entry = EntryAt(event->position().toPoint())) {
        Highlight(entry);
        Choose(*entry);
    }
}

void frmPicker::keyPressEvent(QKeyEvent* event)
{
    if (Unloaded)
        return;
    switch (event->key()) {
    case Qt::Key_Up:
        return Step(-1);
    case Qt::Key_Down:
        return Step(1);
    case Qt::Key_Home:
        return Highlight(0);
    case Qt::Key_End:
        return Highlight(DeleteTaskEntry);
    case Qt::Key_Return:
    case Qt::Key_Enter:
        if (Target)
            Choose(*Target);
        return;
    case Qt::Key_Escape:
        return Unload();
    default:
        event->ignore();
    }
}

void frmPicker::closeEvent(QCloseEvent* event)
{
    event->accept();
    Unload();
}

bool frmPicker::event(QEvent* event)
{
    // Switching to another window closes the picker as a click outside it does.
    if (event->type() == QEvent::WindowDeactivate && isVisible())
        Unload();
    return QWidget::event(event);
}

void frmPicker::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    DrawFrame(painter);
    DrawHighlightBar(painter);
    for (int entry = 0; entry < PickerEntryCount; ++entry)
        DrawEntry(painter, entry);
}

void frmPicker::DrawFrame(QPainter& painter) const
{
    painter.fillRect(rect(), ToQColor(PickerBackground));
    painter.fillRect(QRect(0, 0, width(), 1), ToQColor(PickerBorder));
    painter.fillRect(QRect(0, height() - 1, width(), 1), ToQColor(PickerBorder));
    painter.fillRect(QRect(0, 0, 1, height()), ToQColor(PickerBorder));
    painter.fillRect(QRect(width() - 1, 0, 1, height()), ToQColor(PickerBorder));
    for (const PixelRect& line : Layout.Separators)
        painter.fillRect(ToQRect(line), SeparatorColour);
}

void frmPicker::DrawHighlightBar(QPainter& painter) const
{
    if (!Target)
        return;
    painter.setPen(Qt::NoPen);
    painter.setBrush(ToQColor(PickerHighlight(*Target)));
    painter.drawRoundedRect(ToQRect(Layout.Entries[static_cast<std::size_t>(*Target)].Bar), 2.5, 2.5);
}

void frmPicker::DrawEntry(QPainter& painter, int entry) const
{
    const PickerEntryRects& rects = Layout.Entries[static_cast<std::size_t>(entry)];
    const bool lit = Target == entry;
    const bool isDelete = entry == DeleteTaskEntry;
    const QColor ink = ToQColor(lit ? PickerHighlightedText : isDelete ? PickerDeleteText : PickerText);
    const QRectF swatch = QRectF(ToQRect(rects.Swatch)).adjusted(0.5, 0.5, -0.5, -0.5);
    if (isDelete) {
        painter.setPen(QPen(ink, 1.5, Qt::SolidLine, Qt::RoundCap));
        painter.drawLine(swatch.topLeft() + QPointF(1, 1), swatch.bottomRight() - QPointF(1, 1));
        painter.drawLine(swatch.topRight() + QPointF(-1, 1), swatch.bottomLeft() + QPointF(1, -1));
    } else {
        const QColor lamp = ToQColor(PickerSwatch(entry));
        painter.setPen(QPen(lit ? ToQColor(PickerHighlightedText) : lamp.darker(140), 1));
        painter.setBrush(lamp);
        painter.drawEllipse(swatch);
    }
    painter.setPen(ink);
    painter.drawText(
        ToQRect(rects.Text), Qt::AlignLeft | Qt::AlignVCenter, FromListBytes(PickerCaption(entry)));
}

} // namespace agendrix
