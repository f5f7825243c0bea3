#pragma once

#include "PrintDialog.h"

#include <QDialog>

class QCheckBox;
class QComboBox;
class QPushButton;
class QRadioButton;

namespace agendrix {

// The print options dialog: the printer or "Print to PDF file", colour or black and white, and
// which texts to print. Ask shows it modally; tests fill it with Load and read Choice.
class frmPrint : public QDialog, public PrintDialog {
    Q_OBJECT
public:
    explicit frmPrint(QWidget* owner = nullptr);

    std::optional<PrintChoice> Ask(const PrintDialogRequest& request) override;

    void Load(const PrintDialogRequest& request);
    PrintChoice Choice() const;

    QComboBox* Printers;
    QRadioButton* Colour;
    QRadioButton* BlackAndWhite;
    QCheckBox* Completed;
    QCheckBox* Descriptions;
    QCheckBox* SmallFont;
    QPushButton* Ok;
    QPushButton* Cancel;
};

} // namespace agendrix
