#pragma once

#include "model/Prompts.h"

#include <QDialog>

class QPlainTextEdit;
class QPushButton;

namespace agendrix {

// A read-only text with a Copy button that puts the whole text on the clipboard, and Close.
class ReportDialog : public QDialog {
    Q_OBJECT
public:
    ReportDialog(const ReportRequest& request, QWidget* owner);

    QPushButton* CopyButton() const { return Copy; }

private:
    QPlainTextEdit* Text;
    QPushButton* Copy;
};

} // namespace agendrix
