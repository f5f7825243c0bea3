#include "frmTools.h"

#include "AboveList.h"
#include "EnvironmentHost.h"
#include "FileAssociations.h"

#include "model/Shell.h"
#include "skin/QtHelpers.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QCloseEvent>
#include <QFileInfo>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpression>
#include <QSlider>
#include <QToolButton>
#include <QVBoxLayout>

#include <algorithm>
#include <limits>
#include <optional>

namespace agendrix {

namespace {
    const char* const BrowseTitle = "Open Task List";
    const char* const BrowseFilter = "Task Lists (*.agl)|*.agl|Completed Task Lists (*.cti)|*.cti|"
                                     "All Task Lists (*.agl; *.cti)|*.agl;*.cti";
    const char* const DaysNotANumber = "Days per level must be a number.";
    const char* const DaysOutOfRange = "Days per level must be a number from 1 to 4681.";
    const char* const DaysPutBack = "3";
    const char* const DaysExplanation
        = "On date based tasks the priority is based upon the number of days until the task should be "
          "started. How many days would you like between the levels?";
    const char* const NoteMessage = "The \"Show Top 5 Tasks in Information\" option will show the\n"
                                    "top five tasks in the task information section of each index entry.\n"
                                    "You can then click on the priority lamp of any List Index entry to\n"
                                    "see the top five entries in that task list.\n"
                                    "\n"
                                    "Note that selecting this option will marginally slow down index\n"
                                    "creation while the task list files are accessed.";
    // The desktop's file managers stand where the message first named another system.
    const char* const AssociatedMessage
        = "Agendrix Task List (.AGL) and Completed Task Items (.CTI) have\n"
          "now been associated with Agendrix. You can now simply double-click\n"
          "the files in your file manager to open task lists.\n"
          "\n"
          "A file manager that is open may need to be restarted in order for association to be complete.";

    // The whole number the text holds, blanks around it allowed; nothing when it holds none. A
    // number too long to hold stands as the largest one of its sign: it is out of any range.
    std::optional<long long> WholeNumber(const QString& text)
    {
        static const QRegularExpression number(QStringLiteral("^\\s*([+-]?)0*(\\d+)\\s*$"));
        const QRegularExpressionMatch match = number.match(text);
        if (!match.hasMatch())
            return std::nullopt;
        const bool negative = match.captured(1) == QLatin1String("-");
        const QString digits = match.captured(2);
        const long long magnitude
            = digits.size() > 18 ? std::numeric_limits<long long>::max() : digits.toLongLong();
        return negative ? -magnitude : magnitude;
    }

    QCheckBox* CheckBox(const char* caption, const char* name, QWidget* parent)
    {
        auto* box = new QCheckBox(QString::fromUtf8(caption), parent);
        box->setObjectName(QLatin1String(name));
        return box;
    }

    QPushButton* Button(const char* caption, const char* name, QWidget* parent)
    {
        auto* button = new QPushButton(QString::fromUtf8(caption), parent);
        button->setObjectName(QLatin1String(name));
        return button;
    }

    QLabel* Label(const char* text, const char* name, QWidget* parent)
    {
        auto* label = new QLabel(QString::fromUtf8(text), parent);
        label->setObjectName(QLatin1String(name));
        return label;
    }
} // namespace

frmTools::frmTools(EnvironmentHost& host, Shell& shell, ToolsOptions options, QWidget* owner)
    : QWidget(owner, Qt::Dialog)
    , Host(host)
    , Desktop(shell)
    , Options(std::move(options))
    , HScroll1(new QSlider(Qt::Horizontal, this))
    , Label3(Label("", "Label3", this))
    , Check1(CheckBox("Auto-&expand control bars", "Check1", this))
    , Check2(CheckBox("Auto-&select tasks when line changed", "Check2", this))
    , Check3(CheckBox("&Full Numbered Priority", "Check3", this))
    , Check4(CheckBox("Show Top &5 Tasks in Information", "Check4", this))
    , Option1(new QButtonGroup(this))
    , Text1(new QLineEdit(this))
    , Text2(new QLineEdit(this))
    , Label5(Label("Note", "Label5", this))
{
    setObjectName(QStringLiteral("frmTools"));
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowTitle(QStringLiteral("Toolbox"));
    HScroll1->setObjectName(QStringLiteral("HScroll1"));
    HScroll1->setRange(SlowestSlider, FastestSlider);
    HScroll1->setPageStep(1);
    Text1->setObjectName(QStringLiteral("Text1"));
    Text2->setObjectName(QStringLiteral("Text2"));
    Text2->installEventFilter(this);
    Label5->installEventFilter(this);
    Label5->setCursor(Qt::PointingHandCursor);
    connect(HScroll1, &QSlider::valueChanged, Label3, qOverload<int>(&QLabel::setNum));
    LayOut();
    ShowSettings();
}

QGroupBox* frmTools::BuildSpeedFrame()
{
    auto* frame = new QGroupBox(QStringLiteral("A&nimation Speed"), this);
    auto* row = new QHBoxLayout(frame);
    row->addWidget(Label("Slow", "LabelSlow", frame));
    row->addWidget(HScroll1, 1);
    row->addWidget(Label("Fast", "LabelFast", frame));
    row->addWidget(Label3);
    Label3->setMinimumWidth(QFontMetrics(Label3->font()).horizontalAdvance(QStringLiteral("100")));
    return frame;
}

QGroupBox* frmTools::BuildDefaultListFrame()
{
    auto* frame = new QGroupBox(QStringLiteral("Default List"), this);
    auto* layout = new QGridLayout(frame);
    const char* const captions[] = { "&Last Accessed",
        "Tas&k List Located at:", "Show me an &index of the lists in the same directory as the above" };
    for (int i = 0; i < 3; ++i) {
        auto* option = new QRadioButton(QString::fromUtf8(captions[i]), frame);
        option->setObjectName(QStringLiteral("Option1_%1").arg(i));
        Option1->addButton(option, i);
    }
    auto* browse = Button("&Browse", "Command3", frame);
    connect(browse, &QPushButton::clicked, this, &frmTools::Command3_Click);
    layout->addWidget(Option1->button(0), 0, 0, 1, 2);
    layout->addWidget(Option1->button(1), 1, 0, 1, 2);
    layout->addWidget(Text1, 2, 0);
    layout->addWidget(browse, 2, 1);
    layout->addWidget(Option1->button(2), 3, 0, 1, 2);
    return frame;
}

QGroupBox* frmTools::BuildDaysFrame()
{
    auto* frame = new QGroupBox(QStringLiteral("Days Per Level"), this);
    auto* explanation = Label(DaysExplanation, "LabelDaysExplanation", frame);
    explanation->setWordWrap(true);
    auto* caption = Label("&Days Per Level:", "LabelDays", frame);
    caption->setBuddy(Text2);
    Text2->setMaximumWidth(QFontMetrics(Text2->font()).horizontalAdvance(QStringLiteral("000000")) + 16);
    // UpDown1: the arrows beside the days, one day a click.
    auto* upDown = new QWidget(frame);
    upDown->setObjectName(QStringLiteral("UpDown1"));
    auto* arrows = new QVBoxLayout(upDown);
    arrows->setContentsMargins(0, 0, 0, 0);
    arrows->setSpacing(0);
    for (const auto& [arrow, name, step] :
        { std::tuple(Qt::UpArrow, "UpDown1Up", 1), std::tuple(Qt::DownArrow, "UpDown1Down", -1) }) {
        auto* button = new QToolButton(upDown);
        button->setObjectName(QLatin1String(name));
        button->setArrowType(arrow);
        button->setFixedSize(16, 11);
        connect(button, &QToolButton::clicked, this, [this, step = step] { StepDays(step); });
        arrows->addWidget(button);
    }
    auto* row = new QHBoxLayout;
    row->addWidget(caption);
    row->addWidget(Text2);
    row->addWidget(upDown);
    row->addStretch(1);
    auto* layout = new QVBoxLayout(frame);
    layout->addWidget(explanation);
    layout->addLayout(row);
    return frame;
}

QGroupBox* frmTools::BuildAssociateFrame()
{
    auto* frame = new QGroupBox(QStringLiteral("Associate Files"), this);
    auto* associate = Button("&Associate .AGL && .CTI Files", "Command4", frame);
    associate->setEnabled(Options.Associations != nullptr);
    connect(associate, &QPushButton::clicked, this, &frmTools::Command4_Click);
    auto* layout = new QHBoxLayout(frame);
    layout->addWidget(associate);
    return frame;
}

QLayout* frmTools::BuildButtonRow()
{
    auto* ok = Button("&OK", "Command1", this);
    auto* cancel = Button("&Cancel", "Command2", this);
    auto* help = Button("&Help", "Command5", this);
    auto* online = Button("&Agendrix Online", "Command6", this);
    ok->setDefault(true);
    connect(ok, &QPushButton::clicked, this, &frmTools::Command1_Click);
    connect(cancel, &QPushButton::clicked, this, &QWidget::close);
    connect(help, &QPushButton::clicked, this, &frmTools::Command5_Click);
    connect(online, &QPushButton::clicked, this, &frmTools::Command6_Click);
    auto* row = new QHBoxLayout;
    row->addWidget(help);
    row->addWidget(online);
    row->addStretch(1);
    row->addWidget(ok);
    row->addWidget(cancel);
    return row;
}

void frmTools::LayOut()
{
    auto* top5 = new QHBoxLayout;
    top5->addWidget(Check4);
    top5->addWidget(Label5);
    top5->addStretch(1);
    QFont underlined = Label5->font();
    underlined.setUnderline(true);
    Label5->setFont(underlined);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(BuildSpeedFrame());
    layout->addWidget(Check1);
    layout->addWidget(Check2);
    layout->addWidget(BuildDefaultListFrame());
    layout->addWidget(BuildDaysFrame());
    layout->addWidget(Check3);
    layout->addLayout(top5);
    layout->addWidget(BuildAssociateFrame());
    layout->addLayout(BuildButtonRow());
    setMinimumWidth(440);
}

void frmTools::ShowSettings()
{
    const Settings& settings = Host.CurrentSettings();
    HScroll1->setValue(11 - settings.AniSpeed);
    Label3->setNum(HScroll1->value());
    Check1->setChecked(settings.AutoExpandsBars());
    Check2->setChecked(settings.AutoSelectsTasks());
    if (QAbstractButton* option = Option1->button(std::clamp(settings.DefaultOpen, 0, 2)))
        option->setChecked(true);
    Text1->setText(FromUtf8(settings.DefaultList));
    Text2->setText(QString::number(settings.DaysPerLevel));
    Check3->setChecked(settings.NumOrder == 1);
    Check4->setChecked(settings.ShowTop5 == 1);
}

void frmTools::Open() { ShowAboveList(*this, Host, "Tools Load"); }

void frmTools::Command1_Click()
{
    CheckDays();
    Settings& settings = Host.EditSettings();
    settings.AutoCtrls = Check1->isChecked() ? 1 : 0;
    settings.AutoTaskSel = Check2->isChecked() ? 1 : 0;
    settings.AniSpeed = 11 - HScroll1->value();
    settings.DefaultOpen = std::max(Option1->checkedId(), 0);
    settings.DefaultList = Text1->text().toStdString();
    settings.DaysPerLevel = static_cast<int>(WholeNumber(Text2->text()).value_or(3));
    Host.RedisplayList();
    // Taken after the redisplay: a changed numbering shows from the next one on.
    settings.NumOrder = Check3->isChecked() ? 1 : 0;
    settings.ShowTop5 = Check4->isChecked() ? 1 : 0;
    close();
}

void frmTools::Command3_Click()
{
    const auto chosen = Host.ThePrompts().ChooseFile(FileDialogRequest {
        FileDialogRequest::Kind::Open, BrowseTitle, BrowseFilter, Host.Document().ListName });
    if (chosen && !chosen->empty())
        Text1->setText(FromUtf8(*chosen));
}

void frmTools::Command4_Click()
{
    if (Options.Associations == nullptr)
        return;
    Options.Associations->Associate();
    Host.ThePrompts().Tell(AssociatedMessage);
}

void frmTools::Command5_Click()
{
    const QString page = FromUtf8(Options.HelpPage);
    if (Options.HelpPage.empty() || !QFileInfo(page).isFile())
        return Host.ThePrompts().Tell(
            "The help page \"" + Options.HelpPage + "\" cannot be opened: it does not exist.",
            PromptIcon::None);
    Desktop.OpenDocument(Options.HelpPage, QFileInfo(page).path().toStdString());
}

void frmTools::Command6_Click() { Desktop.OpenDocument(Options.HomePage, std::string()); }

void frmTools::Label5_Click() { Host.ThePrompts().Tell(NoteMessage); }

void frmTools::StepDays(int step)
{
    const long long days = WholeNumber(Text2->text()).value_or(3) + step;
    Text2->setText(QString::number(std::clamp<long long>(days, FewestDays, MostDays)));
}

void frmTools::CheckDays()
{
    const auto days = WholeNumber(Text2->text());
    if (days && *days >= FewestDays && *days <= MostDays)
        return;
    Text2->setText(QLatin1String(DaysPutBack));
    Host.ThePrompts().Tell(days ? DaysOutOfRange : DaysNotANumber, PromptIcon::None);
}

bool frmTools::eventFilter(QObject* watched, QEvent* event)
{
    // A dialog on its way out takes no more input, nor tells about it.
    if (watched == Text2 && event->type() == QEvent::FocusOut && !Unloaded)
        CheckDays();
    if (watched == Label5 && event->type() == QEvent::MouseButtonRelease)
        Label5_Click();
    return QWidget::eventFilter(watched, event);
}

void frmTools::keyPressEvent(QKeyEvent* event)
{
    if (event->key() == Qt::Key_Escape)
        close();
    else
        QWidget::keyPressEvent(event);
}

void frmTools::closeEvent(QCloseEvent* event)
{
    Unload();
    QWidget::closeEvent(event);
}

void frmTools::Unload()
{
    if (Unloaded)
        return;
    Unloaded = true;
    GiveBackList(Host, "Tools Unload");
}

} // namespace agendrix
