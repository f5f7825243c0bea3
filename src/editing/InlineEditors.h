#pragma once

#include "ListHost.h"

#include <QColor>
#include <QObject>
#include <QRect>

#include <cstddef>
#include <optional>

class QLineEdit;
class QPlainTextEdit;
class QWidget;

namespace agendrix {

// The two editors laid over the list window's rows: `Text1`, one line over a task's description,
// and `Text2`, several lines over the open information block. An edit ends when its editor loses
// the focus (Enter in Text1, Ctrl+A in Text2 or a click elsewhere) and is stored then, unless
// Escape cancelled it. The editor's own context menu does not end it.
class InlineEditors : public QObject {
    Q_OBJECT
public:
    InlineEditors(QWidget& window, ListHost& host);

    void SetColours(const QColor& background, const QColor& text);
    void BeginDescription(std::size_t taskIndex, const QRect& place, const QString& text);
    void BeginInformation(std::size_t taskIndex, const QRect& place, const QString& text);
    bool Editing() const;
    // Ends the open edits as a loss of the focus would, storing what was typed: before the list
    // is saved or replaced, so that a save holds the typing and no edit lands in another list.
    void Finish();

    // The editors are made when first used: a text editor costs milliseconds to make, which the
    // window's start need not wait for.
    QLineEdit* Text1();
    QPlainTextEdit* Text2();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    enum class Field { Description, Information };
    struct OpenEdit {
        std::size_t TaskIndex = 0;
        QString Original; // what the editor opened with; an unchanged text stores nothing
        bool Cancelled = false;
    };

    void Prepare(QWidget* editor);
    bool KeyPressed(Field field, int key, Qt::KeyboardModifiers modifiers);
    void End(Field field);
    void Store(Field field, const OpenEdit& edit, const QString& text);
    std::optional<OpenEdit>& EditOf(Field field)
    {
        return field == Field::Description ? DescriptionEdit : InformationEdit;
    }

    QWidget& Window;
    ListHost& Host;
    QLineEdit* Description = nullptr;
    QPlainTextEdit* Information = nullptr;
    QColor Background;
    QColor Text;
    std::optional<OpenEdit> DescriptionEdit;
    std::optional<OpenEdit> InformationEdit;
};

} // namespace agendrix
