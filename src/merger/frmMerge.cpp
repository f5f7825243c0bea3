#include "frmMerge.h"

#include "ListMerger.h"

#include "model/Clock.h"

#include <QFile>
#include <QFileDialog>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace agendrix::merger {

namespace {
    const QString ListFilter = QStringLiteral("Agendrix Task Lists (*.agl *.AGL);;All Files (*)");
}

frmMerge::frmMerge(const Clock& clock, FileOps& ops, QWidget* owner)
    : QWidget(owner)
    , Time(clock)
    , Ops(ops)
{
    setWindowTitle(QStringLiteral("Agendrix List Merger"));
    auto* layout = new QGridLayout(this);
    txtFirst = AddFileRow(QStringLiteral("&First list:"), QStringLiteral("txtFirst"), Dialog::Open);
    txtSecond = AddFileRow(QStringLiteral("&Second list:"), QStringLiteral("txtSecond"), Dialog::Open);
    txtOutput = AddFileRow(QStringLiteral("&Output file:"), QStringLiteral("txtOutput"), Dialog::Save);
    cmdMerge = new QPushButton(QStringLiteral("&Merge"), this);
    cmdMerge->setObjectName(QStringLiteral("cmdMerge"));
    cmdMerge->setDefault(true);
    connect(cmdMerge, &QPushButton::clicked, this, &frmMerge::cmdMerge_Click);
    lblStatus = new QLabel(this);
    lblStatus->setObjectName(QStringLiteral("lblStatus"));
    lblStatus->setWordWrap(true);
    lblStatus->setTextInteractionFlags(Qt::TextSelectableByMouse);
    const int row = layout->rowCount();
    layout->addWidget(cmdMerge, row, 2);
    layout->addWidget(lblStatus, row + 1, 0, 1, 3);
    layout->setColumnStretch(1, 1);
    resize(560, sizeHint().height());
}

QLineEdit* frmMerge::AddFileRow(const QString& label, const QString& name, Dialog dialog)
{
    auto* layout = static_cast<QGridLayout*>(this->layout());
    const int row = layout->rowCount();
    auto* field = new QLineEdit(this);
    field->setObjectName(name);
    auto* caption = new QLabel(label, this);
    caption->setBuddy(field);
    auto* browse = new QPushButton(QStringLiteral("Browse..."), this);
    browse->setObjectName(name + QStringLiteral("Browse"));
    connect(browse, &QPushButton::clicked, this, [this, field, dialog] {
        const QString chosen = dialog == Dialog::Open
            ? QFileDialog::getOpenFileName(this, QStringLiteral("Open List"), field->text(), ListFilter)
            : QFileDialog::getSaveFileName(
                this, QStringLiteral("Save Merged List"), field->text(), ListFilter);
        if (!chosen.isEmpty())
            field->setText(chosen);
    });
    layout->addWidget(caption, row, 0);
    layout->addWidget(field, row, 1);
    layout->addWidget(browse, row, 2);
    return field;
}

void frmMerge::cmdMerge_Click()
{
    const auto path = [](const QLineEdit* field) { return QFile::encodeName(field->text()).toStdString(); };
    const MergeRequest request { path(txtFirst), path(txtSecond), path(txtOutput) };
    const MergeOutcome outcome = MergeListFiles(request, Time.Now().Date, Ops);
    QString status = QString::fromStdString(outcome.Message);
    // The command line's report begins in lower case, as its other lines do; a status line is a sentence.
    if (outcome.Status == ExitCode::Success && !status.isEmpty())
        status[0] = status[0].toUpper();
    for (const std::string& note : outcome.Notes)
        status += QStringLiteral("\n")
            + QString::fromStdString(note).replace(QLatin1Char('\n'), QLatin1Char(' '));
    lblStatus->setText(status);
}

} // namespace agendrix::merger
