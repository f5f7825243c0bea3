#pragma once

#include "ListHost.h"
#include "TaskEditorButton.h"

#include "model/TaskEditing.h"
#include "skin/EditorSkin.h"

#include <QButtonGroup>
#include <QWidget>

#include <array>
#include <cstddef>

class QDateEdit;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QRadioButton;
class QToolButton;

namespace agendrix {

// The task editor: a borderless skinned modal dialog in which a task is added or changed as a
// whole. It works on one index of the host's list: the task there, or a new task when the index
// holds none. It changes the list only through OK and Delete Task, and deletes itself once it
// has closed.
class frmTask : public QWidget {
    Q_OBJECT
public:
    // Opens on the task at `editIndex` of the host's list, or on a new task when that index holds none.
    frmTask(ListHost& host, std::size_t editIndex, QWidget* owner);
    // Loads the fields and the skin and shows the dialog modally; returns at once.
    void Open();

    int SelectedPriority() const { return Priority.checkedId(); } // -1 before Open
    int SelectedDayKind() const { return DayKind; }

signals:
    // Emitted once, when the dialog unloads: after OK, Cancel, the close cross or Delete Task.
    void Closed();

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void CreateFields();
    void CreatePriorityOptions();
    void CreateButtons();
    void LoadSkin();
    void CentreOnScreen();
    void FillFields(const TaskEditorInput& input);
    bool HoldsTask() const;

    void SelectDayKind(int kind);
    void StepDays(int step);
    void CheckDays();
    void DateChanged();

    void Confirm();
    bool MayComplete();
    TaskEditorInput InputFromFields(Prompts& prompts) const;
    void Save(const TaskEditorInput& input);
    void DeleteTask();
    void Browse();
    void Unload();

    ListHost& Host;
    const std::size_t EditIndex;
    EditorSkin Skin;

    QLineEdit* Description = nullptr; // Text1(0)
    QPlainTextEdit* Information = nullptr; // Text1(1)
    QButtonGroup Priority { this }; // Option1(0) to Option1(10), id = option number
    std::array<QLabel*, 11> PriorityLabels {}; // lblPrior(i)
    QDateEdit* DatePicker = nullptr; // DTPicker1
    QLineEdit* Days = nullptr; // Text2
    QToolButton* DaysUp = nullptr; // UpDown1
    QToolButton* DaysDown = nullptr;
    QLineEdit* File = nullptr; // Text3
    TaskEditorButton* BrowseButton = nullptr; // picCommand1
    TaskEditorButton* OkButton = nullptr; // picCommand2
    TaskEditorButton* CancelButton = nullptr; // picCommand3
    TaskEditorButton* DeleteButton = nullptr; // picCommand4
    TaskEditorButton* CloseButton = nullptr; // picXitBut

    int DayKind = 0; // Option2: 0 weekdays only, 1 weekends only, 2 both
    bool Filling = false; // the fields are being loaded, not changed by the user
    bool CheckingDays = false;
    bool Unloaded = false;

    bool Dragging = false;
    QPoint DragOffset; // pointer minus the dialog's top-left, in global pixels
    int PressedDayKind = -1;
};

} // namespace agendrix
