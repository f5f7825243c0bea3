#include "frmDockTab.h"

#include "WindowManagerState.h"

#include <QMouseEvent>
#include <QPainter>

namespace agendrix {

frmDockTab::frmDockTab()
    : QWidget(
        nullptr, Qt::Tool | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint | Qt::WindowDoesNotAcceptFocus)
{
    setWindowTitle(QStringLiteral("Agendrix Drag Tab"));
    // The tab never keeps the program running: closing the list window ends it.
    setAttribute(Qt::WA_QuitOnClose, false);
    setAttribute(Qt::WA_ShowWithoutActivating);
    setMouseTracking(true);
    SetTaskbarButton(*this, TaskbarButton::Hidden);
}

void frmDockTab::LoadSkin(const QString& programFolder, const QString& skinPath)
{
    Skin.LoadSkin(programFolder, skinPath);
    setFixedSize(Skin.Bar.size().isEmpty() ? QSize(17, 60) : Skin.Bar.size());
    if (!Skin.Shape.isEmpty())
        setMask(Skin.Shape);
    update();
}

void frmDockTab::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.drawImage(0, 0, Skin.Bar);
}

void frmDockTab::mousePressEvent(QMouseEvent* event)
{
    PressedAt = event->globalPosition().toPoint();
    TabAtPress = pos();
    if (event->button() == Qt::LeftButton) {
        DragOn = DragKind::Width;
        setCursor(Qt::SizeHorCursor);
        emit WidthDragStarted();
    } else {
        DragOn = DragKind::Height;
        setCursor(Qt::SizeVerCursor);
    }
}

void frmDockTab::mouseMoveEvent(QMouseEvent* event)
{
    emit Touched();
    const QPoint moved = event->globalPosition().toPoint() - PressedAt;
    if (DragOn == DragKind::Width)
        emit WidthDragged(TabAtPress.x() + moved.x());
    else if (DragOn == DragKind::Height)
        emit HeightDragged(TabAtPress.y() + moved.y());
}

void frmDockTab::mouseReleaseEvent(QMouseEvent*)
{
    if (DragOn == DragKind::None)
        return;
    DragOn = DragKind::None;
    unsetCursor();
    emit DragEnded();
}

} // namespace agendrix
