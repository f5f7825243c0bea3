#include "TaskEditorButton.h"

#include "skin/QtHelpers.h"

#include <QKeyEvent>
#include <QPainter>

namespace agendrix {

TaskEditorButton::TaskEditorButton(EditorButton which, const QString& caption, QWidget* parent)
    : QAbstractButton(parent)
    , Which(which)
{
    setText(caption);
    const bool takesFocus
        = which == EditorButton::Ok || which == EditorButton::Cancel || which == EditorButton::Browse;
    setFocusPolicy(takesFocus ? Qt::StrongFocus : Qt::NoFocus);
    setGeometry(ToQRect(EditorButtonTarget(which)));
}

void TaskEditorButton::SetSheet(const QImage& sheet)
{
    Sheet = sheet;
    update();
}

EditorButtonLook TaskEditorButton::Look() const
{
    if (isDown())
        return EditorButtonLook::Pressed;
    return hasFocus() ? EditorButtonLook::Focused : EditorButtonLook::Normal;
}

QSize TaskEditorButton::sizeHint() const { return ToQRect(EditorButtonTarget(Which)).size(); }

bool TaskEditorButton::event(QEvent* event)
{
    // The base class would only press the button and click it a moment later on a timer.
    if (event->type() == QEvent::Shortcut) {
        if (focusPolicy() != Qt::NoFocus)
            setFocus(Qt::ShortcutFocusReason);
        click();
        return true;
    }
    return QAbstractButton::event(event);
}

void TaskEditorButton::keyPressEvent(QKeyEvent* event)
{
    if ((event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter)
        && event->modifiers() == Qt::NoModifier)
        return click();
    QAbstractButton::keyPressEvent(event);
}

void TaskEditorButton::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    if (!Sheet.isNull()) {
        painter.drawImage(QPoint(0, 0), Sheet, ToQRect(EditorButtonCell(Which, Look())));
        return;
    }
    // A skin without its button sheet still leaves every button usable.
    painter.fillRect(rect(), palette().button());
    painter.setPen(palette().buttonText().color());
    painter.drawRect(rect().adjusted(0, 0, -1, -1));
    painter.drawText(rect(), Qt::AlignCenter | Qt::TextShowMnemonic, text());
}

} // namespace agendrix
