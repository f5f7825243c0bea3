#include "InlineEditors.h"

#include "ListText.h"

#include "model/TaskEditing.h"

#include <QKeyEvent>
#include <QLineEdit>
#include <QPlainTextEdit>

#include <limits>

namespace agendrix {

InlineEditors::InlineEditors(QWidget& window, ListHost& host)
    : QObject(&window)
    , Window(window)
    , Host(host)
{
}

void InlineEditors::SetColours(const QColor& background, const QColor& text)
{
    Background = background;
    Text = text;
    for (QWidget* editor : { static_cast<QWidget*>(Description), static_cast<QWidget*>(Information) }) {
        if (editor != nullptr)
            Prepare(editor);
    }
}

void InlineEditors::Prepare(QWidget* editor)
{
    if (Background.isValid()) {
        QPalette palette = editor->palette();
        palette.setColor(QPalette::Base, Background);
        palette.setColor(QPalette::Text, Text);
        editor->setPalette(palette);
    }
    editor->hide();
    editor->removeEventFilter(this);
    editor->installEventFilter(this);
}

QLineEdit* InlineEditors::Text1()
{
    if (Description == nullptr) {
        Description = new QLineEdit(&Window);
        Description->setObjectName(QStringLiteral("Text1"));
        Description->setFrame(false);
        // The description has no length limit: a line edit's default of 32767 would cut a
        // longer one.
        Description->setMaxLength(std::numeric_limits<int>::max());
        Prepare(Description);
    }
    return Description;
}

QPlainTextEdit* InlineEditors::Text2()
{
    if (Information == nullptr) {
        Information = new QPlainTextEdit(&Window);
        Information->setObjectName(QStringLiteral("Text2"));
        Information->setFrameShape(QFrame::NoFrame);
        Information->setTabChangesFocus(false);
        Prepare(Information);
    }
    return Information;
}

bool InlineEditors::Editing() const { return DescriptionEdit || InformationEdit; }

void InlineEditors::Finish()
{
    if (DescriptionEdit)
        End(Field::Description);
    if (InformationEdit)
        End(Field::Information);
}

void InlineEditors::BeginDescription(std::size_t taskIndex, const QRect& place, const QString& text)
{
    if (DescriptionEdit)
        End(Field::Description);
    DescriptionEdit = OpenEdit { taskIndex, text, false };
    Text1()->setGeometry(place);
    Description->setText(text);
    Description->selectAll();
    Description->raise();
    Description->show();
    Description->setFocus(Qt::MouseFocusReason);
}

void InlineEditors::BeginInformation(std::size_t taskIndex, const QRect& place, const QString& text)
{
    if (InformationEdit)
        End(Field::Information);
    InformationEdit = OpenEdit { taskIndex, text, false };
    Text2()->setGeometry(place);
    Information->setPlainText(text);
    Information->selectAll();
    Information->raise();
    Information->show();
    Information->setFocus(Qt::MouseFocusReason);
}

bool InlineEditors::eventFilter(QObject* watched, QEvent* event)
{
    const Field field = watched == Description ? Field::Description : Field::Information;
    // The editor's own context menu takes the focus while it is open and gives it back when it
    // closes: the edit goes on. Any other loss of the focus ends it.
    if (event->type() == QEvent::FocusOut && EditOf(field)
        && static_cast<QFocusEvent*>(event)->reason() != Qt::PopupFocusReason) {
        End(field);
    } else if (event->type() == QEvent::KeyPress) {
        const auto* key = static_cast<QKeyEvent*>(event);
        return KeyPressed(field, key->key(), key->modifiers());
    }
    return false;
}

bool InlineEditors::KeyPressed(Field field, int key, Qt::KeyboardModifiers modifiers)
{
    std::optional<OpenEdit>& edit = EditOf(field);
    if (!edit)
        return false;
    if (key == Qt::Key_Escape) {
        edit->Cancelled = true;
        End(field);
        return true;
    }
    const bool ends = field == Field::Description ? (key == Qt::Key_Return || key == Qt::Key_Enter)
                                                  : (key == Qt::Key_A && modifiers == Qt::ControlModifier);
    if (ends) {
        End(field);
        return true;
    }
    return false;
}

void InlineEditors::End(Field field)
{
    // Taken first: hiding the editor moves the focus away, which must not end the edit twice.
    const OpenEdit edit = *EditOf(field);
    EditOf(field).reset();
    const QString text = field == Field::Description ? Description->text() : Information->toPlainText();
    if (field == Field::Description) {
        Description->hide();
        Description->clear();
    } else {
        Information->hide();
    }
    // A hidden editor would keep the keyboard and swallow the window's access keys: the window
    // takes the focus back unless it went to a shown widget of its own.
    if (const QWidget* focus = Window.focusWidget(); focus == nullptr || !focus->isVisible())
        Window.setFocus(Qt::OtherFocusReason);
    if (!edit.Cancelled && text != edit.Original)
        Store(field, edit, text);
}

void InlineEditors::Store(Field field, const OpenEdit& edit, const QString& text)
{
    TaskStore& tasks = Host.Document().Tasks;
    if (edit.TaskIndex >= tasks.Count())
        return;
    const std::string typed = ToListBytes(text, Host.ThePrompts());
    const std::string_view line = tasks.Line(edit.TaskIndex);
    FittedLine changed;
    if (field == Field::Description)
        changed.Line = WithDescription(line, typed);
    else
        changed = WithInformation(line, typed);
    tasks.Replace(edit.TaskIndex, changed.Line);
    Host.TaskChanged({ std::nullopt, changed.Shortened });
}

} // namespace agendrix
