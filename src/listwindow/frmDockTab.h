#pragma once

#include "skin/DockTabSkin.h"

#include <QPoint>
#include <QWidget>

namespace agendrix {

// The drag tab that sidebar mode leaves at the screen edge: shaped from the skin's bar.bmp,
// above other windows, without a taskbar button or the keyboard focus. It says what the pointer
// does to it; the list window decides where the tab and the sidebar go.
class frmDockTab : public QWidget {
    Q_OBJECT

public:
    enum class DragKind { None, Width, Height };

    frmDockTab();
    void LoadSkin(const QString& programFolder, const QString& skinPath);
    DragKind Dragging() const { return DragOn; }

signals:
    // The pointer moved over the tab: the sidebar is wanted.
    void Touched();
    // A drag with the left button began, which resizes the sidebar.
    void WidthDragStarted();
    // The tab's left edge would be at `left` by the drag, in global pixels.
    void WidthDragged(int left);
    // The tab's top would be at `top` by a drag with another button, in global pixels.
    void HeightDragged(int top);
    // Either drag ended.
    void DragEnded();

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    DockTabSkin Skin;
    DragKind DragOn = DragKind::None;
    QPoint PressedAt; // global pixels
    QPoint TabAtPress; // the tab's top left when pressed, global pixels
};

} // namespace agendrix
