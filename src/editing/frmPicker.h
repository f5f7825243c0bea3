#pragma once

#include "geometry/PickerLayout.h"

#include <QColor>
#include <QPoint>
#include <QWidget>

#include <cstddef>
#include <optional>
#include <string>

namespace agendrix {

class ListHost;

// The priority picker: a small popup at a task's lamp listing the eleven priorities and
// "Delete Task". A release on a priority gives it to the task at once; the popup closes on the
// first of a change, a delete, Escape or the loss of the focus.
class frmPicker : public QWidget {
    Q_OBJECT
public:
    // The task at `taskIndex` of the host's list; `point` is the global pixel point the picker opens
    // at (it opens to the right of and below it, and flips left or up at the screen's edges);
    // `lineColour` colours the separator lines.
    frmPicker(ListHost& host, std::size_t taskIndex, QPoint point, QColor lineColour, QWidget* owner);

    // Shows it without blocking; unloads at once when the index holds no task.
    void Open();

signals:
    // Emitted once when it unloads (applied, deleted, or focus lost).
    void Closed();

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    bool event(QEvent* event) override;

private:
    void Highlight(std::optional<int> entry);
    void Step(int by);
    void Choose(int entry);
    void ApplyPriority(int option);
    void DeleteTask();
    // On the list index a row stands for a list file, which the user may delete after a question.
    void DeleteListFile(const std::string& path);
    void Unload();
    std::optional<std::size_t> TaskNow() const;
    std::optional<int> EntryAt(QPoint point) const;

    void DrawFrame(QPainter& painter) const;
    void DrawHighlightBar(QPainter& painter) const;
    void DrawEntry(QPainter& painter, int entry) const;

    ListHost& Host;
    const std::size_t TaskIndex;
    const QPoint OpenPoint; // global pixels
    const QColor SeparatorColour;
    const PickerLayout Layout;

    std::string OpenedLine; // the task as it was when the picker opened
    std::optional<int> Target; // the highlighted entry, the one Enter acts on
    int Selected = 0; // the last option highlighted; where the arrow keys start without a target
    bool Opened = false;
    bool Unloaded = false;
    // The picker opens on a press at the lamp, and as a popup it receives that button's release
    // wherever the pointer went: only a release after a press of its own applies an entry.
    bool PressedInside = false;
};

} // namespace agendrix
