#include "frmAbout.h"

#include "ShelfPictures.h"
#include "SystemFactsQt.h"

#include "editing/ListHost.h"
#include "model/ListFile.h"
#include "model/SystemInformation.h"
#include "skin/QtHelpers.h"

#include <QCloseEvent>
#include <QGridLayout>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QPainter>
#include <QPushButton>
#include <QScreen>
#include <QVBoxLayout>

namespace agendrix {

namespace {
    const char* const Description = "Prioritised task lists that keep themselves in order: tasks climb in "
                                    "priority as their due dates come near.";
    const char* const Disclaimer
        = "This program is provided as is, without warranty of any kind, express or implied. Your task lists "
          "are plain text files that belong to you: you may read, copy, change and keep them with any "
          "program you like.";

    // "Version " and the major, minor and revision numbers of the program's version.
    QString VersionText()
    {
        const QStringList parts = FromUtf8(ProgramVersion).split(QLatin1Char('.'));
        return QStringLiteral("Version ") + parts.mid(0, 3).join(QLatin1Char('.'));
    }

    QLabel* WrappedLabel(const QString& text, const char* name, QWidget* parent)
    {
        auto* label = new QLabel(text, parent);
        label->setObjectName(QLatin1String(name));
        label->setWordWrap(true);
        return label;
    }
} // namespace

frmAbout::frmAbout(ListHost& host, Shell& shell, AboutOptions options, QWidget* owner)
    : QWidget(owner, Qt::Dialog)
    , Host(host)
    , Desktop(shell)
    , Options(std::move(options))
    , Shelf(ShelfWid, ShelfHgt, Options.Seed)
    , Canvas(ShelfWid, ShelfHgt)
    , Trinket(TrinketPicture())
    , picShelf(new QLabel(this))
    , cmdOK(new QPushButton(tr("OK"), this))
    , cmdSysInfo(new QPushButton(tr("System Info..."), this))
{
    setObjectName(QStringLiteral("frmAbout"));
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowTitle(QStringLiteral(" About Agendrix"));
    Timer1.setObjectName(QStringLiteral("Timer1"));
    connect(&Timer1, &QTimer::timeout, this, &frmAbout::Timer1_Timer);
    connect(cmdOK, &QPushButton::clicked, this, &QWidget::close);
    connect(cmdSysInfo, &QPushButton::clicked, this, &frmAbout::cmdSysInfo_Click);
    BuildControls();
}

void frmAbout::BuildControls()
{
    auto* logo = new QLabel(this);
    logo->setObjectName(QStringLiteral("Image1"));
    logo->setPixmap(ProductLogo());
    picShelf->setObjectName(QStringLiteral("picShelf"));
    picShelf->setFixedSize(ShelfWid, ShelfHgt);
    cmdOK->setObjectName(QStringLiteral("cmdOK"));
    cmdOK->setDefault(true);
    cmdSysInfo->setObjectName(QStringLiteral("cmdSysInfo"));

    auto* heading = new QVBoxLayout;
    heading->addWidget(WrappedLabel(VersionText(), "lblVersion", this));
    heading->addWidget(WrappedLabel(QLatin1String(Description), "lblDescription", this));
    auto* top = new QHBoxLayout;
    top->addWidget(logo, 0, Qt::AlignTop);
    top->addLayout(heading, 1);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(cmdOK);
    buttons->addWidget(cmdSysInfo);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addWidget(picShelf, 0, Qt::AlignHCenter);
    layout->addWidget(WrappedLabel(QLatin1String(Disclaimer), "lblDisclaimer", this));
    layout->addLayout(buttons);
    setFixedWidth(ShelfWid + 40);
}

void frmAbout::Open()
{
    Host.SetNoHide(true);
    Host.SetWindFloat(false, "About Load");
    setWindowFlag(Qt::WindowStaysOnTopHint, Host.Docked());
    setWindowModality(Qt::ApplicationModal);
    SetUpShelf();
    show();
    // Placed once shown, by its frame: the wrapped labels take their height from the width and the
    // window manager adds its frame only then.
    if (const QScreen* screen = parentWidget() ? parentWidget()->screen() : QGuiApplication::primaryScreen())
        move(screen->availableGeometry().center() - QRect(QPoint(), frameGeometry().size()).center());
    Timer1.start(BookShelf::ColumnMs);
}

void frmAbout::SetUpShelf()
{
    FitTitle();
    Canvas.fill(palette().color(QPalette::Window));
    QPainter painter(&Canvas);
    painter.fillRect(QRect(QPoint(4, 4), QPoint(ShelfWid - 10, ShelfHgt - 18)), Qt::white);
    painter.drawPixmap(12, 8, ProductLogo());
    painter.setFont(TitleFont);
    painter.setPen(QColor(0, 0, 128));
    const QFontMetrics metrics(TitleFont);
    painter.drawText(60, 4 + metrics.ascent(), FromUtf8(Options.Title));
    painter.end();
    picShelf->setPixmap(Canvas);
}

void frmAbout::FitTitle()
{
    TitleFont = UiFont();
    TitleFont.setBold(true);
    const QString title = FromUtf8(Options.Title);
    const int pixels = FitTitleSize(TitleFontPixels, [&](int size) {
        QFont font = TitleFont;
        font.setPixelSize(size);
        return QFontMetrics(font).horizontalAdvance(title);
    });
    TitleFont.setPixelSize(pixels);
}

void frmAbout::Timer1_Timer()
{
    const ShelfTick tick = Shelf.Next();
    QPainter painter(&Canvas);
    if (tick.Clear)
        painter.fillRect(ToQRect(*tick.Clear), Qt::white);
    if (tick.Trinket)
        painter.drawPixmap(ToQRect(*tick.Trinket), Trinket);
    if (tick.Column) {
        const BookColumn& column = *tick.Column;
        painter.setPen(QColor(column.Paint.Red, column.Paint.Green, column.Paint.Blue));
        painter.drawLine(column.X, column.Top, column.X, column.Bottom);
    }
    painter.end();
    picShelf->setPixmap(Canvas);
    if (tick.NextIntervalMs == 0)
        Timer1.stop();
    else
        Timer1.setInterval(tick.NextIntervalMs);
}

void frmAbout::cmdSysInfo_Click()
{
    StartSysInfo(Desktop, Host.ThePrompts(),
        CurrentSystemFacts(Host.ProgramFolder(), Host.CurrentSettings().SkinPath));
}

void frmAbout::keyPressEvent(QKeyEvent* event)
{
    if (event->key() == Qt::Key_Escape)
        close();
    else
        QWidget::keyPressEvent(event);
}

void frmAbout::closeEvent(QCloseEvent* event)
{
    Unload();
    QWidget::closeEvent(event);
}

void frmAbout::Unload()
{
    Timer1.stop();
    Host.SetWindFloat(true, "About Unload");
    Host.SetNoHide(false);
}

} // namespace agendrix
