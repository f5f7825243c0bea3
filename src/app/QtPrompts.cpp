#include "QtPrompts.h"

#include "FileDialogFilter.h"

#include "environment/ReportDialog.h"

#include <QFileDialog>
#include <QGuiApplication>
#include <QInputDialog>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>

namespace agendrix {

namespace {

    QMessageBox::Icon IconOf(PromptIcon icon)
    {
        switch (icon) {
        case PromptIcon::Information:
            return QMessageBox::Information;
        case PromptIcon::Question:
            return QMessageBox::Question;
        case PromptIcon::Exclamation:
            return QMessageBox::Warning;
        case PromptIcon::Critical:
            return QMessageBox::Critical;
        case PromptIcon::None:
            break;
        }
        return QMessageBox::NoIcon;
    }

    QMessageBox::StandardButtons ButtonsOf(PromptButtons buttons)
    {
        switch (buttons) {
        case PromptButtons::OkCancel:
            return QMessageBox::Ok | QMessageBox::Cancel;
        case PromptButtons::YesNo:
        case PromptButtons::RestoreDiscard:
            return QMessageBox::Yes | QMessageBox::No;
        case PromptButtons::YesNoCancel:
            return QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel;
        case PromptButtons::Ok:
            break;
        }
        return QMessageBox::Ok;
    }

    QMessageBox::StandardButton ButtonOf(PromptAnswer answer)
    {
        switch (answer) {
        case PromptAnswer::Cancel:
            return QMessageBox::Cancel;
        case PromptAnswer::Yes:
            return QMessageBox::Yes;
        case PromptAnswer::No:
            return QMessageBox::No;
        case PromptAnswer::Ok:
            break;
        }
        return QMessageBox::Ok;
    }

    PromptAnswer AnswerOf(int button)
    {
        switch (button) {
        case QMessageBox::Yes:
            return PromptAnswer::Yes;
        case QMessageBox::No:
            return PromptAnswer::No;
        case QMessageBox::Cancel:
            return PromptAnswer::Cancel;
        default:
            return PromptAnswer::Ok;
        }
    }

} // namespace

PromptAnswer QtPrompts::Ask(const PromptRequest& request)
{
    QMessageBox box(IconOf(request.Icon), QString::fromStdString(request.Title),
        QString::fromStdString(request.Text), ButtonsOf(request.Buttons), Parent);
    box.setDefaultButton(ButtonOf(request.Default));
    if (request.Buttons == PromptButtons::RestoreDiscard) {
        box.button(QMessageBox::Yes)->setText(QStringLiteral("&Restore"));
        box.button(QMessageBox::No)->setText(QStringLiteral("&Discard"));
    }
    return AnswerOf(box.exec());
}

std::optional<std::string> QtPrompts::ChooseFile(const FileDialogRequest& request)
{
    const QString title = QString::fromStdString(request.Title);
    const QString initial = QString::fromStdString(request.InitialPath);
    const QString filter = QString::fromStdString(QtFileDialogFilter(request.Filter));
    const QString chosen = request.What == FileDialogRequest::Kind::Save
        ? QFileDialog::getSaveFileName(Parent, title, initial, filter)
        : QFileDialog::getOpenFileName(Parent, title, initial, filter);
    if (chosen.isEmpty())
        return std::nullopt;
    return chosen.toStdString();
}

std::optional<std::string> QtPrompts::AskText(const TextRequest& request)
{
    bool accepted = false;
    const QString text = QInputDialog::getText(Parent, QString::fromStdString(request.Title),
        QString::fromStdString(request.Prompt), QLineEdit::Normal, QString::fromStdString(request.Default),
        &accepted);
    if (!accepted)
        return std::nullopt;
    return text.toStdString();
}

bool QtPrompts::ShowReport(const ReportRequest& request)
{
    // Without a screen the box could not be seen, and the caller says so in a message instead.
    if (QGuiApplication::primaryScreen() == nullptr)
        return false;
    ReportDialog dialog(request, Parent);
    dialog.exec();
    return true;
}

} // namespace agendrix
