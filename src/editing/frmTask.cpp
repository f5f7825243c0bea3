#include "frmTask.h"

#include "ListText.h"

#include "model/TaskLine.h"
#include "skin/QtHelpers.h"

#include <QDateEdit>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPainter>
#include <QPlainTextEdit>
#include <QRadioButton>
#include <QScreen>
#include <QToolButton>

#include <algorithm>
#include <limits>

namespace agendrix {

namespace {
    constexpr int FieldMargin = 2; // pixels between a field's edge and its text

    QString Named(const char* kind, int index)
    {
        return QStringLiteral("%1_%2").arg(QLatin1String(kind)).arg(index);
    }

    // The caption of an option as its label shows it: without its first "&".
    QString LabelCaption(int option)
    {
        QString caption = FromUtf8(EditorCaption(option));
        if (const auto amp = caption.indexOf(QLatin1Char('&')); amp >= 0)
            caption.remove(amp, 1);
        return caption;
    }

    QToolButton* ArrowButton(Qt::ArrowType arrow, const PixelRect& where, const char* name, QWidget* parent)
    {
        auto* button = new QToolButton(parent);
        button->setObjectName(QLatin1String(name));
        button->setArrowType(arrow);
        button->setAutoRepeat(true);
        button->setFocusPolicy(Qt::NoFocus);
        button->setGeometry(ToQRect(where));
        return button;
    }
} // namespace

frmTask::frmTask(ListHost& host, std::size_t editIndex, QWidget* owner)
    : QWidget(owner, Qt::Dialog | Qt::FramelessWindowHint)
    , Host(host)
    , EditIndex(editIndex)
{
    setWindowTitle(QStringLiteral("Task Details"));
    setAttribute(Qt::WA_OpaquePaintEvent);
    setFont(UiFont());
    resize(TaskEditorLayout::Width, TaskEditorLayout::Height);
    CreateFields();
    CreatePriorityOptions();
    CreateButtons();
}

void frmTask::CreateFields()
{
    Description = new QLineEdit(this);
    Description->setObjectName(QStringLiteral("Text1_0"));
    Information = new QPlainTextEdit(this);
    Information->setObjectName(QStringLiteral("Text1_1"));
    Information->setFrameShape(QFrame::NoFrame);
    Information->setTabChangesFocus(true);
    Information->document()->setDocumentMargin(FieldMargin);
    DatePicker = new QDateEdit(this);
    DatePicker->setObjectName(QStringLiteral("DTPicker1"));
    DatePicker->setCalendarPopup(true);
    DatePicker->setFrame(false);
    DatePicker->setDisplayFormat(QStringLiteral("ddd d MMM yyyy"));
    DatePicker->setDateRange(QDate(1, 1, 1), QDate(9999, 12, 31)); // every date a line can hold
    Days = new QLineEdit(this);
    Days->setObjectName(QStringLiteral("Text2"));
    Days->installEventFilter(this);
    File = new QLineEdit(this);
    File->setObjectName(QStringLiteral("Text3"));
    for (QLineEdit* field : { Description, Days, File }) {
        field->setFrame(false);
        field->setTextMargins(FieldMargin, 0, FieldMargin, 0);
        // A line edit cuts its text at 32767 characters unless told otherwise; what a field may
        // hold is for the line's own rules to decide, not for the widget to cut silently.
        field->setMaxLength(std::numeric_limits<int>::max());
    }
    Description->setGeometry(ToQRect(TaskEditorLayout::Description));
    Information->setGeometry(ToQRect(TaskEditorLayout::Information));
    DatePicker->setGeometry(ToQRect(TaskEditorLayout::DatePicker));
    Days->setGeometry(ToQRect(TaskEditorLayout::Days));
    File->setGeometry(ToQRect(TaskEditorLayout::File));
    DaysUp = ArrowButton(Qt::UpArrow, TaskEditorLayout::DaysUp, "UpDown1_Up", this);
    DaysDown = ArrowButton(Qt::DownArrow, TaskEditorLayout::DaysDown, "UpDown1_Down", this);
    connect(DaysUp, &QToolButton::clicked, this, [this] { StepDays(1); });
    connect(DaysDown, &QToolButton::clicked, this, [this] { StepDays(-1); });
    connect(DatePicker, &QDateEdit::dateChanged, this, &frmTask::DateChanged);
}

void frmTask::CreatePriorityOptions()
{
    for (int option = 0; option < TaskEditorLayout::PriorityOptions; ++option) {
        // The option keeps its whole caption, and so its access key, but shows only its circle:
        // the label beside it shows the caption.
        auto* button = new QRadioButton(FromUtf8(EditorCaption(option)), this);
        button->setObjectName(Named("Option1", option));
        button->setStyleSheet(QStringLiteral("QRadioButton::indicator { width: 13px; height: 13px; }"));
        button->setGeometry(ToQRect(TaskEditorLayout::PriorityOption(option)));
        button->installEventFilter(this);
        Priority.addButton(button, option);
        auto* label = new QLabel(LabelCaption(option), this);
        label->setObjectName(Named("lblPrior", option));
        label->setGeometry(ToQRect(TaskEditorLayout::PriorityLabel(option)));
        label->installEventFilter(this);
        PriorityLabels[static_cast<std::size_t>(option)] = label;
    }
}

void frmTask::CreateButtons()
{
    BrowseButton = new TaskEditorButton(EditorButton::Browse, QStringLiteral("&Browse"), this);
    BrowseButton->setObjectName(QStringLiteral("picCommand1"));
    OkButton = new TaskEditorButton(EditorButton::Ok, QStringLiteral("&OK"), this);
    OkButton->setObjectName(QStringLiteral("picCommand2"));
    CancelButton = new TaskEditorButton(EditorButton::Cancel, QStringLiteral("&Cancel"), this);
    CancelButton->setObjectName(QStringLiteral("picCommand3"));
    DeleteButton = new TaskEditorButton(EditorButton::DeleteTask, QStringLiteral("Delete Task"), this);
    DeleteButton->setObjectName(QStringLiteral("picCommand4"));
    CloseButton = new TaskEditorButton(EditorButton::Close, QStringLiteral("Close"), this);
    CloseButton->setObjectName(QStringLiteral("picXitBut"));
    connect(BrowseButton, &QAbstractButton::clicked, this, &frmTask::Browse);
    connect(OkButton, &QAbstractButton::clicked, this, &frmTask::Confirm);
    connect(CancelButton, &QAbstractButton::clicked, this, &frmTask::Unload);
    connect(DeleteButton, &QAbstractButton::clicked, this, &frmTask::DeleteTask);
    connect(CloseButton, &QAbstractButton::clicked, this, &frmTask::Unload);
    setTabOrder(File, BrowseButton);
    setTabOrder(BrowseButton, OkButton);
    setTabOrder(OkButton, CancelButton);
}

void frmTask::Open()
{
    Host.SetNoHide(true);
    LoadSkin();
    CentreOnScreen();
    const CivilDate today = Host.Today();
    FillFields(HoldsTask() ? EditorInputFromLine(Host.Document().Tasks.Line(EditIndex), today)
                           : NewTaskDefaults(today));
    setWindowFlag(Qt::WindowStaysOnTopHint, Host.Docked());
    setWindowModality(Qt::ApplicationModal);
    show();
    activateWindow();
    Description->setFocus(Qt::OtherFocusReason);
}

void frmTask::LoadSkin()
{
    Skin.LoadSkin(Host.ProgramFolder(), QString::fromStdString(Host.CurrentSettings().SkinPath));
    setFixedSize(Skin.Background.isNull() ? QSize(TaskEditorLayout::Width, TaskEditorLayout::Height)
                                          : Skin.Background.size());
    for (TaskEditorButton* button : { BrowseButton, OkButton, CancelButton, DeleteButton, CloseButton })
        button->SetSheet(Skin.Buttons);

    QPalette colours = palette();
    colours.setColor(QPalette::Base, Skin.FieldBackground);
    colours.setColor(QPalette::Text, Skin.FieldText);
    // The arrows of the date and days fields look like the fields they belong to.
    colours.setColor(QPalette::Button, Skin.FieldBackground);
    colours.setColor(QPalette::ButtonText, Skin.FieldText);
    // Labels and option circles stand on the background, which the skin draws to suit that text.
    colours.setColor(QPalette::WindowText, Skin.FieldText);
    setPalette(colours);
    // A style sheet of their own keeps the options from taking the palette from the dialog.
    for (QAbstractButton* option : Priority.buttons())
        option->setPalette(colours);
    update();
}

void frmTask::CentreOnScreen()
{
    const QScreen* screen = parentWidget() ? parentWidget()->screen() : QGuiApplication::primaryScreen();
    if (screen)
        move(screen->availableGeometry().center() - rect().center());
}

void frmTask::FillFields(const TaskEditorInput& input)
{
    Filling = true;
    Description->setText(FromListBytes(input.Description));
    Information->setPlainText(FromListBytes(input.Information));
    if (QAbstractButton* option = Priority.button(input.PriorityOption))
        option->setChecked(true);
    DatePicker->setDate(QDate(input.Date.Year, input.Date.Month, input.Date.Day));
    Days->setText(FromListBytes(input.DaysToComplete));
    SelectDayKind(input.DayKind);
    File->setText(PathFromListBytes(input.File));
    Filling = false;
}

bool frmTask::HoldsTask() const { return EditIndex < Host.Document().Tasks.Count(); }

void frmTask::SelectDayKind(int kind)
{
    if (kind < 0 || kind >= TaskEditorLayout::DayKinds)
        return;
    DayKind = kind;
    for (int each = 0; each < TaskEditorLayout::DayKinds; ++each)
        update(ToQRect(TaskEditorLayout::DayKindPicture(each)));
}

void frmTask::DateChanged()
{
    if (!Filling)
        Priority.button(CodeNotAssessed)->setChecked(true);
}

void frmTask::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    if (Skin.Background.isNull())
        painter.fillRect(rect(), palette().window());
    else
        painter.drawImage(QPoint(0, 0), Skin.Background);
    for (int kind = 0; kind < TaskEditorLayout::DayKinds; ++kind) {
        const PixelRect target = TaskEditorLayout::DayKindPicture(kind);
        const PixelRect cell = DayKindCell(kind == DayKind ? DayKindLook::Set : DayKindLook::Clear);
        painter.drawImage(QPoint(target.X, target.Y), Skin.Buttons, ToQRect(cell));
    }
}

void frmTask::mousePressEvent(QMouseEvent* event)
{
    if (event->button() != Qt::LeftButton)
        return;
    const QPoint at = event->position().toPoint();
    if (const auto kind = TaskEditorLayout::DayKindAt(at.x(), at.y())) {
        PressedDayKind = *kind;
        return;
    }
    Dragging = true;
    DragOffset = event->globalPosition().toPoint() - pos();
    setCursor(Qt::SizeAllCursor);
}

void frmTask::mouseMoveEvent(QMouseEvent* event)
{
    if (Dragging)
        move(event->globalPosition().toPoint() - DragOffset);
}

void frmTask::mouseReleaseEvent(QMouseEvent* event)
{
    if (event->button() != Qt::LeftButton)
        return;
    const QPoint at = event->position().toPoint();
    if (PressedDayKind >= 0 && TaskEditorLayout::DayKindAt(at.x(), at.y()) == PressedDayKind)
        SelectDayKind(PressedDayKind);
    PressedDayKind = -1;
    if (Dragging) {
        Dragging = false;
        unsetCursor();
    }
}

void frmTask::keyPressEvent(QKeyEvent* event)
{
    if (event->modifiers() != Qt::NoModifier && event->modifiers() != Qt::KeypadModifier)
        return QWidget::keyPressEvent(event);
    switch (event->key()) {
    case Qt::Key_Escape:
        return Unload();
    case Qt::Key_Return:
    case Qt::Key_Enter:
        return Confirm();
    default:
        QWidget::keyPressEvent(event);
    }
}

void frmTask::closeEvent(QCloseEvent* event)
{
    // Closed by the window system: the same as Cancel.
    Unload();
    QWidget::closeEvent(event);
}

bool frmTask::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == Days && event->type() == QEvent::FocusOut) {
        const Qt::FocusReason reason = static_cast<QFocusEvent*>(event)->reason();
        // Another window or a popup taking the focus is not the user leaving the field. The
        // check waits until the event that moved the focus is done, so that a click on a button
        // is not cut in two by the message.
        if (reason != Qt::ActiveWindowFocusReason && reason != Qt::PopupFocusReason)
            QMetaObject::invokeMethod(this, &frmTask::CheckDays, Qt::QueuedConnection);
        return false;
    }
    if (event->type() == QEvent::Shortcut && Priority.buttons().contains(watched)) {
        // At once, where the base class would click the option a moment later on a timer.
        auto* option = static_cast<QAbstractButton*>(watched);
        option->setFocus(Qt::ShortcutFocusReason);
        option->setChecked(true);
        return true;
    }
    const auto label = std::find(PriorityLabels.begin(), PriorityLabels.end(), watched);
    if (label == PriorityLabels.end())
        return QWidget::eventFilter(watched, event);
    if (event->type() == QEvent::MouseButtonPress || event->type() == QEvent::MouseButtonDblClick)
        return true;
    if (event->type() != QEvent::MouseButtonRelease)
        return false;
    const auto* mouse = static_cast<QMouseEvent*>(event);
    if (mouse->button() == Qt::LeftButton && (*label)->rect().contains(mouse->position().toPoint()))
        Priority.button(static_cast<int>(label - PriorityLabels.begin()))->setChecked(true);
    return true;
}

} // namespace agendrix
