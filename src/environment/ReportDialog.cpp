#include "ReportDialog.h"

#include "skin/QtHelpers.h"

#include <QClipboard>
#include <QDialogButtonBox>
#include <QFontDatabase>
#include <QGuiApplication>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace agendrix {

ReportDialog::ReportDialog(const ReportRequest& request, QWidget* owner)
    : QDialog(owner)
    , Text(new QPlainTextEdit(FromUtf8(request.Text), this))
    , Copy(new QPushButton(tr("&Copy"), this))
{
    setObjectName(QStringLiteral("ReportDialog"));
    setWindowTitle(FromUtf8(request.Title));
    Text->setObjectName(QStringLiteral("txtReport"));
    Text->setReadOnly(true);
    Text->setLineWrapMode(QPlainTextEdit::NoWrap);
    Text->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
    Copy->setObjectName(QStringLiteral("cmdCopy"));
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Close, this);
    buttons->addButton(Copy, QDialogButtonBox::ActionRole);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(Copy, &QPushButton::clicked, this,
        [this] { QGuiApplication::clipboard()->setText(Text->toPlainText()); });
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(Text);
    layout->addWidget(buttons);
    resize(560, 300);
}

} // namespace agendrix
