#pragma once

#include "model/FileOps.h"

#include <QWidget>

class QLabel;
class QLineEdit;
class QPushButton;

namespace agendrix {
class Clock;
}

namespace agendrix::merger {

// "Agendrix List Merger": the two copies of a list, the output file and a Merge button, for a
// user who starts agendrix-lm from the program's menu. It merges through MergeListFiles, as the
// command line does, and shows the report or the error in its status line.
class frmMerge : public QWidget {
    Q_OBJECT
public:
    explicit frmMerge(const Clock& clock, FileOps& ops = SystemFileOps(), QWidget* owner = nullptr);

    void cmdMerge_Click();

private:
    enum class Dialog { Open, Save };
    // A row of the form: the field and its Browse... button, which fills it from a file dialog.
    QLineEdit* AddFileRow(const QString& label, const QString& name, Dialog dialog);

    const Clock& Time;
    FileOps& Ops;
    QLineEdit* txtFirst;
    QLineEdit* txtSecond;
    QLineEdit* txtOutput;
    QPushButton* cmdMerge;
    QLabel* lblStatus;
};

} // namespace agendrix::merger
