#pragma once

#include "RemoteHost.h"

#include "geometry/RemoteLayout.h"

#include <QImage>
#include <QWidget>

#include <optional>

namespace agendrix {

// The remote panel, "Agendrix Remote": a small frameless tool window beside the list window,
// drawn from remote.bmp, whose picture buttons (faces from remtbtns.bmp) run the list window's
// commands. Alt and a caption's letter runs a command as its picture does, Tab moves the focus
// among the commands and Enter or Space runs the focused one. A press on the background drags
// the panel.
class frmRemote : public QWidget {
    Q_OBJECT
public:
    frmRemote(RemoteHost& host, QWidget* owner);

    // A missing file keeps the previous picture; without any the panel draws a plain look.
    void LoadSkin(const QString& programFolder, const QString& skinPath);
    // Beside the list window, or left of the sidebar; stays put when there is no room.
    void PlaceMe();

    RemoteButtonLook LookOf(int command) const;
    RemoteButtonLook CloseLook() const;
    // The command (1 to 11) that holds the keyboard focus; 0 for none.
    int FocusedCommand() const { return Focused; }
    bool ShowsActiveTitle() const { return Active; }
    // The tooltip of what lies at the point, empty for the background.
    static QString TooltipAt(QPoint point);

signals:
    void Closed();

protected:
    bool event(QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    bool focusNextPrevChild(bool next) override;

private:
    void RunCommand(int command);
    void ToggleAutoPurge();
    void CloseMe();
    void PaintButtons(QPainter& painter) const;
    void PaintPlainButton(
        QPainter& painter, const PixelRect& place, const QString& caption, RemoteButtonLook look) const;

    RemoteHost& Host;
    QImage Background; // remote.bmp
    QImage Sheet; // remtbtns.bmp
    std::optional<RemoteHit> Pressed; // what the left button went down on, while it is held
    int Focused = 0;
    bool Active = false;
    std::optional<QPoint> DragFrom; // where a drag of the background began, in panel pixels
};

} // namespace agendrix
