#include "frmPrint.h"

#include "skin/QtHelpers.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace agendrix {

frmPrint::frmPrint(QWidget* owner)
    : QDialog(owner)
    , Printers(new QComboBox(this))
    , Colour(new QRadioButton(QStringLiteral("&Color")))
    , BlackAndWhite(new QRadioButton(QStringLiteral("&Black && White")))
    , Completed(new QCheckBox(QStringLiteral("Print Completed &Items"), this))
    , Descriptions(new QCheckBox(QStringLiteral("Print Task &Descriptions"), this))
    , SmallFont(new QCheckBox(QStringLiteral("Use &Small Font"), this))
    , Ok(new QPushButton(QStringLiteral("&OK"), this))
    , Cancel(new QPushButton(QStringLiteral("&Cancel"), this))
{
    setObjectName(QStringLiteral("frmPrint"));
    setWindowTitle(QStringLiteral("Print"));
    auto* printerLabel = new QLabel(QStringLiteral("&Printer:"), this);
    printerLabel->setBuddy(Printers);
    Printers->setMinimumContentsLength(28);
    auto* mode = new QGroupBox(QStringLiteral("Print Mode"), this);
    auto* modeLayout = new QVBoxLayout(mode);
    modeLayout->addWidget(Colour);
    modeLayout->addWidget(BlackAndWhite);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(Ok);
    buttons->addWidget(Cancel);
    Ok->setDefault(true);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(printerLabel);
    layout->addWidget(Printers);
    layout->addWidget(mode);
    layout->addWidget(Completed);
    layout->addWidget(Descriptions);
    layout->addWidget(SmallFont);
    layout->addLayout(buttons);
    connect(Ok, &QPushButton::clicked, this, &QDialog::accept);
    connect(Cancel, &QPushButton::clicked, this, &QDialog::reject);
}

void frmPrint::Load(const PrintDialogRequest& request)
{
    Printers->clear();
    for (const std::string& target : request.Targets)
        Printers->addItem(FromUtf8(target));
    Printers->setCurrentIndex(std::max(0, Printers->findText(FromUtf8(request.Selected))));
    Colour->setChecked(!request.Options.BlackAndWhite);
    BlackAndWhite->setChecked(request.Options.BlackAndWhite);
    Completed->setChecked(request.Options.Completed);
    Descriptions->setChecked(request.Options.Descriptions);
    SmallFont->setChecked(request.Options.SmallFont);
    Printers->setFocus();
}

PrintChoice frmPrint::Choice() const
{
    return PrintChoice { Printers->currentText().toStdString(),
        PrintOptions { Completed->isChecked(), Descriptions->isChecked(), SmallFont->isChecked(),
            BlackAndWhite->isChecked() } };
}

std::optional<PrintChoice> frmPrint::Ask(const PrintDialogRequest& request)
{
    Load(request);
    if (exec() != QDialog::Accepted)
        return std::nullopt;
    return Choice();
}

} // namespace agendrix
