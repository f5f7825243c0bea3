#include "AboveList.h"

#include "editing/ListHost.h"

#include <QGuiApplication>
#include <QScreen>
#include <QWidget>

namespace agendrix {

void ShowAboveList(QWidget& dialog, ListHost& host, const char* source)
{
    host.SetNoHide(true);
    host.SetWindFloat(false, source);
    dialog.setWindowFlag(Qt::WindowStaysOnTopHint, host.Docked());
    dialog.setWindowModality(Qt::ApplicationModal);
    dialog.show();
    // Placed once shown, by its frame, which the window manager adds only then.
    const QWidget* owner = dialog.parentWidget();
    if (const QScreen* screen = owner ? owner->screen() : QGuiApplication::primaryScreen())
        dialog.move(
            screen->availableGeometry().center() - QRect(QPoint(), dialog.frameGeometry().size()).center());
}

void GiveBackList(ListHost& host, const char* source)
{
    host.SetWindFloat(true, source);
    host.SetNoHide(false);
}

} // namespace agendrix
