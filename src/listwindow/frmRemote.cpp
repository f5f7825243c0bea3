#include "frmRemote.h"

#include "skin/QtHelpers.h"
#include "skin/SkinFolder.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QToolTip>

#include <algorithm>
#include <array>
#include <string_view>
#include <utility>

namespace agendrix {

namespace {
    // Command 11, List Index, has no picture: only its access key reaches it.
    constexpr int IndexCommand = 11;

    struct RemoteCommand {
        int Number;
        ListCommand Command;
        std::string_view Caption; // of the hidden button that carries the access key
        std::string_view Tooltip;
    };
    constexpr std::array<RemoteCommand, 11> Commands { {
        { 1, ListCommand::OpenListFile, "&Open List", "Open an existing task list" },
        { 2, ListCommand::Save, "&Save List", "Save current task list" },
        { 3, ListCommand::NewList, "&New List", "Start a new task list" },
        { 4, ListCommand::ExportCompleted, "&Export", "Export and remove completed tasks" },
        { 5, ListCommand::PurgeCompleted, "&Purge", "Delete all completed tasks" },
        { 6, ListCommand::AddTask, "&Add", "Add a task" },
        { 7, ListCommand::EditTask, "E&dit", "Edit selected task" },
        { 8, ListCommand::DeleteTask, "&Delete", "Delete selected task" },
        { 9, ListCommand::Options, "Op&tions", "Set options and associate file type" },
        { 10, ListCommand::SkinBrowser, "S&kins", "Select Agendrix skin" },
        { IndexCommand, ListCommand::ListIndex, "&Index", "" },
    } };
    constexpr std::string_view AutoPurgeCaption = "A&uto Purge";
    constexpr char AutoPurgeTooltip[] = "Purge items as soon as they are marked complete";

    char AccessKeyOf(std::string_view caption)
    {
        const std::size_t amp = caption.find('&');
        if (amp == std::string_view::npos || amp + 1 >= caption.size())
            return 0;
        const char key = caption[amp + 1];
        return key >= 'a' && key <= 'z' ? static_cast<char>(key - 'a' + 'A') : key;
    }

    const RemoteCommand& CommandNumbered(int number)
    {
        return Commands.at(static_cast<std::size_t>(number - 1));
    }

    QImage Cut(const QImage& sheet, const PixelRect& cell) { return sheet.copy(ToQRect(cell)); }
} // namespace

frmRemote::frmRemote(RemoteHost& host, QWidget* owner)
    : QWidget(owner, Qt::Tool | Qt::FramelessWindowHint)
    , Host(host)
{
    setWindowTitle(QStringLiteral("Agendrix Remote"));
    // Opening beside the list window leaves the keyboard with it: the panel is a click away.
    setAttribute(Qt::WA_ShowWithoutActivating);
    setFocusPolicy(Qt::StrongFocus);
    setMouseTracking(false);
    setFixedSize(RemotePlaces::Width, RemotePlaces::Height);
}

void frmRemote::LoadSkin(const QString& programFolder, const QString& skinPath)
{
    const SkinFolder folder(programFolder, skinPath);
    folder.LoadPicture(QStringLiteral("remote.bmp"), Background);
    folder.LoadPicture(QStringLiteral("remtbtns.bmp"), Sheet);
    update();
}

void frmRemote::PlaceMe()
{
    PanelPlacement placement = Host.RemotePlacement();
    placement.PanelWidth = width();
    if (const auto place = PlaceRemote(placement))
        move(place->X, place->Y);
}

RemoteButtonLook frmRemote::LookOf(int command) const
{
    if (Pressed && Pressed->Target == RemoteTarget::Command && Pressed->Command == command)
        return RemoteButtonLook::Pressed;
    return Focused == command ? RemoteButtonLook::Focused : RemoteButtonLook::Normal;
}

RemoteButtonLook frmRemote::CloseLook() const
{
    return Pressed && Pressed->Target == RemoteTarget::Close ? RemoteButtonLook::Pressed
                                                             : RemoteButtonLook::Normal;
}

QString frmRemote::TooltipAt(QPoint point)
{
    const RemoteHit hit = RemoteHitAt(point.x(), point.y());
    switch (hit.Target) {
    case RemoteTarget::Command:
        return FromUtf8(CommandNumbered(hit.Command).Tooltip);
    case RemoteTarget::Close:
        return QStringLiteral("Close");
    case RemoteTarget::AutoPurge:
        return QString::fromLatin1(AutoPurgeTooltip);
    case RemoteTarget::None:
        break;
    }
    return {};
}

bool frmRemote::event(QEvent* event)
{
    switch (event->type()) {
    case QEvent::ToolTip: {
        const auto* help = static_cast<QHelpEvent*>(event);
        const QString text = TooltipAt(help->pos());
        if (text.isEmpty())
            QToolTip::hideText();
        else
            QToolTip::showText(help->globalPos(), text, this);
        return true;
    }
    case QEvent::WindowActivate:
    case QEvent::WindowDeactivate:
        Active = event->type() == QEvent::WindowActivate;
        update();
        break;
    default:
        break;
    }
    return QWidget::event(event);
}

void frmRemote::mousePressEvent(QMouseEvent* event)
{
    if (event->button() != Qt::LeftButton)
        return;
    const QPoint p = event->position().toPoint();
    const RemoteHit hit = RemoteHitAt(p.x(), p.y());
    if (hit.Target == RemoteTarget::None) {
        DragFrom = p;
        setCursor(Qt::SizeAllCursor);
        return;
    }
    Pressed = hit;
    update();
}

void frmRemote::mouseMoveEvent(QMouseEvent* event)
{
    if (DragFrom)
        move(pos() + event->position().toPoint() - *DragFrom);
}

void frmRemote::mouseReleaseEvent(QMouseEvent* event)
{
    if (event->button() != Qt::LeftButton)
        return;
    if (DragFrom) {
        DragFrom.reset();
        unsetCursor();
        return;
    }
    const std::optional<RemoteHit> pressed = std::exchange(Pressed, std::nullopt);
    const QPoint p = event->position().toPoint();
    // A click is a press and a release on the same picture: sliding off cancels it.
    if (!pressed || RemoteHitAt(p.x(), p.y()) != *pressed)
        return update();
    switch (pressed->Target) {
    case RemoteTarget::Command:
        Focused = pressed->Command; // the focused face shows after a release
        update();
        return RunCommand(pressed->Command);
    case RemoteTarget::AutoPurge:
        return ToggleAutoPurge();
    case RemoteTarget::Close:
        return CloseMe();
    case RemoteTarget::None:
        break;
    }
}

void frmRemote::keyPressEvent(QKeyEvent* event)
{
    const int key = event->key();
    if (event->modifiers() == Qt::AltModifier && key >= Qt::Key_A && key <= Qt::Key_Z) {
        const char letter = static_cast<char>(key);
        if (letter == AccessKeyOf(AutoPurgeCaption))
            return ToggleAutoPurge();
        // "E&dit" and "&Delete" share D: as with the hidden buttons' access keys, the key goes to
        // the first of them, Edit.
        const auto found = std::find_if(Commands.begin(), Commands.end(),
            [letter](const RemoteCommand& c) { return AccessKeyOf(c.Caption) == letter; });
        if (found != Commands.end()) {
            Focused = found->Number;
            update();
            return RunCommand(found->Number);
        }
    }
    if ((key == Qt::Key_Return || key == Qt::Key_Enter || key == Qt::Key_Space) && Focused > 0)
        return RunCommand(Focused);
    QWidget::keyPressEvent(event);
}

bool frmRemote::focusNextPrevChild(bool next)
{
    const int count = static_cast<int>(Commands.size());
    Focused = next ? Focused % count + 1 : (Focused + count - 2) % count + 1;
    update();
    return true;
}

void frmRemote::RunCommand(int command) { Host.Run(CommandNumbered(command).Command); }

void frmRemote::ToggleAutoPurge()
{
    Host.SetAutoPurge(!Host.AutoPurges());
    update();
}

void frmRemote::CloseMe()
{
    emit Closed();
    hide();
    Host.RemoteClosed();
}

void frmRemote::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    if (Background.isNull())
        painter.fillRect(rect(), palette().window());
    else
        painter.drawImage(0, 0, Background);
    PaintButtons(painter);
}

void frmRemote::PaintButtons(QPainter& painter) const
{
    const auto paintCell = [&](const PixelRect& place, const PixelRect& cell) {
        painter.drawImage(place.X, place.Y, Cut(Sheet, cell));
    };
    const AutoPurgeLook check = Host.AutoPurges() ? AutoPurgeLook::Set : AutoPurgeLook::Clear;
    if (Sheet.isNull()) {
        for (const RemotePlaces::Button& button : RemotePlaces::Buttons)
            PaintPlainButton(painter, button.Place, FromUtf8(button.Caption), LookOf(button.Command));
        PaintPlainButton(painter, RemotePlaces::Close, QStringLiteral("x"), CloseLook());
        PaintPlainButton(painter, RemotePlaces::Check,
            check == AutoPurgeLook::Set ? QStringLiteral("v") : QString(), RemoteButtonLook::Normal);
        painter.drawText(ToQRect(RemotePlaces::CheckLabel), Qt::AlignVCenter, QStringLiteral("Auto Purge"));
        return;
    }
    paintCell(RemotePlaces::TitleMark,
        RemoteTitleMarkCell(Active ? PanelActivity::Active : PanelActivity::Inactive));
    for (const RemotePlaces::Button& button : RemotePlaces::Buttons)
        paintCell(button.Place, RemoteButtonCell(button.Command, LookOf(button.Command)));
    paintCell(RemotePlaces::Close, RemoteCloseCell(CloseLook()));
    paintCell(RemotePlaces::Check, RemoteCheckCell(check));
}

void frmRemote::PaintPlainButton(
    QPainter& painter, const PixelRect& place, const QString& caption, RemoteButtonLook look) const
{
    const QRect r = ToQRect(place);
    painter.fillRect(r, look == RemoteButtonLook::Pressed ? palette().dark() : palette().button());
    painter.setPen(
        look == RemoteButtonLook::Focused ? palette().highlight().color() : palette().mid().color());
    painter.drawRect(r.adjusted(0, 0, -1, -1));
    painter.setPen(palette().buttonText().color());
    painter.drawText(r, Qt::AlignCenter | Qt::TextShowMnemonic, caption);
}

} // namespace agendrix
