#include "frmExtract.h"

#include "model/Prompts.h"
#include "model/Windows1252.h"

#include <QApplication>
#include <QCloseEvent>
#include <QGridLayout>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QScreen>
#include <QVBoxLayout>

namespace agendrix {

namespace {

    QString FromUtf8(const std::string& text)
    {
        return QString::fromUtf8(text.data(), qsizetype(text.size()));
    }

    QString FromPackage(const std::string& text) { return FromUtf8(Windows1252ToUtf8(text)); }

    // Whole percent, rounded down, as "##0%".
    QString Percent(std::uint64_t part, std::uint64_t whole)
    {
        return QString::number(whole == 0 ? 0 : part * 100 / whole) + QLatin1Char('%');
    }

    QProgressBar* Bar(const char* name, QWidget* parent)
    {
        auto* bar = new QProgressBar(parent);
        bar->setObjectName(QLatin1String(name));
        bar->setRange(0, 1000);
        bar->setTextVisible(false);
        return bar;
    }

    QLabel* NamedLabel(const char* name, QWidget* parent)
    {
        auto* label = new QLabel(parent);
        label->setObjectName(QLatin1String(name));
        return label;
    }

} // namespace

std::string DetectionMessage(std::size_t packages)
{
    return "Agendrix has detected " + std::to_string(packages) + " new package"
        + (packages > 1 ? "s. Please wait while the packages are" : ". Please wait while the package is")
        + " extracted out. This only needs to be done once per package.";
}

frmExtract::frmExtract(std::string programFolder, Prompts& prompts, QWidget* owner)
    : QWidget(owner, Qt::Dialog)
    , Folder(std::move(programFolder))
    , Messages(prompts)
    , Label1(NamedLabel("Label1", this))
    , Label5(NamedLabel("Label5", this))
    , Label3(NamedLabel("Label3", this))
    , Label6(NamedLabel("Label6", this))
    , Label7(NamedLabel("Label7", this))
    , Shape1(Bar("Shape1", this))
    , Shape2(Bar("Shape2", this))
    , Command1(new QPushButton(QStringLiteral("&Cancel"), this))
{
    setObjectName(QStringLiteral("frmExtract"));
    setWindowTitle(QStringLiteral("New Package Detection"));
    Timer1.setObjectName(QStringLiteral("Timer1"));
    Timer1.setInterval(0);
    connect(&Timer1, &QTimer::timeout, this, &frmExtract::Timer1_Timer);
    connect(Command1, &QPushButton::clicked, this, &frmExtract::Command1_Click);
    BuildControls();
}

frmExtract::~frmExtract() = default;

void frmExtract::BuildControls()
{
    Command1->setObjectName(QStringLiteral("Command1"));
    Label1->setWordWrap(true);
    Label1->setText(FromUtf8(DetectionMessage(ListPackages(Folder).size())));
    auto* bars = new QGridLayout;
    bars->addWidget(new QLabel(QStringLiteral("Package Progress:"), this), 0, 0);
    bars->addWidget(Shape1, 0, 1);
    bars->addWidget(Label6, 0, 2);
    bars->addWidget(new QLabel(QStringLiteral("File Progress"), this), 1, 0);
    bars->addWidget(Shape2, 1, 1);
    bars->addWidget(Label7, 1, 2);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(Label1);
    layout->addWidget(Label5);
    layout->addWidget(Label3);
    layout->addLayout(bars);
    layout->addWidget(Command1, 0, Qt::AlignRight);
    setFixedWidth(420);
}

void frmExtract::Open()
{
    setWindowModality(Qt::ApplicationModal);
    show();
    if (const QScreen* screen = QGuiApplication::primaryScreen())
        move(screen->availableGeometry().center() - QRect(QPoint(), frameGeometry().size()).center());
    SinceShown.start();
    Timer1.start();
}

void frmExtract::Timer1_Timer()
{
    if (Done)
        return;
    if (!Current && !StartNextPackage())
        return Complete();
    const ExtractionState state = Current->Continue(SliceBytes);
    if (state == ExtractionState::Working) {
        // The labels cost more than a slice: they follow the work at most every RefreshMs.
        if (SinceShown.hasExpired(RefreshMs))
            ShowProgress();
        return;
    }
    EndPackage();
}

bool frmExtract::StartNextPackage()
{
    if (CancelAsked)
        return false;
    for (const std::string& package : ListPackages(Folder)) {
        if (Failed.contains(package))
            continue;
        Label3->setText(QStringLiteral("Reading Archive Index"));
        Current = std::make_unique<PackageExtraction>(Folder, package);
        if (CancelAsked)
            Current->Cancel();
        Label5->setText(QStringLiteral("Currently extracting ") + FromPackage(Current->Index().Name)
            + QStringLiteral(" from ") + FromPackage(Current->Index().Source));
        ShowProgress();
        return true;
    }
    return false;
}

void frmExtract::EndPackage()
{
    const ExtractionState state = Current->State();
    ShowProgress();
    if (state == ExtractionState::Finished)
        Label3->setText(QStringLiteral("Done"));
    else if (state != ExtractionState::Cancelled)
        Failed.insert(Current->PackagePath());
    const std::string message = Current->Message();
    Current.reset();
    if (state == ExtractionState::Rejected || state == ExtractionState::Failed)
        Messages.Tell(message, PromptIcon::Exclamation);
}

void frmExtract::ShowProgress()
{
    SinceShown.restart();
    if (!Current)
        return;
    const std::vector<PackageEntry>& entries = Current->Index().Entries;
    const std::size_t file = Current->CurrentFile();
    Shape1->setValue(entries.empty() ? 0 : int(file * 1000 / entries.size()));
    Label6->setText(Percent(file, entries.size()));
    if (file < entries.size()) {
        Label3->setText(FromPackage(entries[file].StoredPath));
        const std::uint64_t size = entries[file].Size;
        Shape2->setValue(size == 0 ? 1000 : int(Current->CurrentFileWritten() * 1000 / size));
        Label7->setText(size == 0 ? QStringLiteral("100%") : Percent(Current->CurrentFileWritten(), size));
    }
}

void frmExtract::Complete()
{
    Done = true;
    Timer1.stop();
    if (CancelAsked) {
        Messages.Tell(
            "The package has not been fully extracted. Please restart Agendrix when you are ready to "
            "allow package extraction.",
            PromptIcon::Exclamation);
    } else {
        Label6->setText(QStringLiteral("Complete"));
        QApplication::beep();
    }
    Shape1->setValue(0);
    Command1->setText(QStringLiteral("&Close"));
    Command1->setEnabled(true);
    close();
}

void frmExtract::Command1_Click()
{
    if (Done)
        return (void)close();
    Command1->setEnabled(false);
    CancelAsked = true;
    if (Current)
        Current->Cancel();
}

void frmExtract::closeEvent(QCloseEvent* event)
{
    // Closing by the window manager is a Cancel: the work stops at the next file.
    if (!Done) {
        Command1_Click();
        event->ignore();
        return;
    }
    event->accept();
    emit Finished();
}

} // namespace agendrix
