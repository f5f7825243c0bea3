#pragma once

#include "geometry/TaskEditorLayout.h"

#include <QAbstractButton>
#include <QImage>

namespace agendrix {

// One of the task editor's picture buttons: a push button drawn entirely from its cells of the
// editor's button sheet, in the normal, focused or pressed picture. An access key in the caption
// focuses and clicks it at once, and Enter or Space clicks it while it has the focus.
class TaskEditorButton : public QAbstractButton {
    Q_OBJECT
public:
    TaskEditorButton(EditorButton which, const QString& caption, QWidget* parent);

    void SetSheet(const QImage& sheet);
    EditorButtonLook Look() const;
    QSize sizeHint() const override;

protected:
    bool event(QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

private:
    EditorButton Which;
    QImage Sheet; // editbtns.bmp
};

} // namespace agendrix
