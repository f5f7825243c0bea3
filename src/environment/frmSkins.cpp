#include "frmSkins.h"

#include "AboveList.h"
#include "EnvironmentHost.h"

#include "model/ProgramFolder.h"
#include "skin/QtHelpers.h"

#include <QCloseEvent>
#include <QDir>
#include <QFile>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

namespace agendrix {

namespace {
    // The skin's folder name: the last component of a skin path such as "/Skins/Midnight/",
    // whichever separator older settings used.
    QString SkinName(const std::string& skinPath)
    {
        QString path = FromUtf8(skinPath);
        path.replace(QLatin1Char('\\'), QLatin1Char('/'));
        while (path.endsWith(QLatin1Char('/')))
            path.chop(1);
        return path.mid(path.lastIndexOf(QLatin1Char('/')) + 1);
    }

    // Two skin paths name the same folder when they differ only in letter case or separators,
    // as skin folders are found ignoring case.
    bool SameSkinPath(const std::string& a, const std::string& b)
    {
        QString left = FromUtf8(a);
        QString right = FromUtf8(b);
        left.replace(QLatin1Char('\\'), QLatin1Char('/'));
        right.replace(QLatin1Char('\\'), QLatin1Char('/'));
        return left.compare(right, Qt::CaseInsensitive) == 0;
    }

    QPushButton* Button(const char* caption, const char* name, QWidget* parent)
    {
        auto* button = new QPushButton(QString::fromUtf8(caption), parent);
        button->setObjectName(QLatin1String(name));
        return button;
    }
} // namespace

frmSkins::frmSkins(EnvironmentHost& host, QWidget* owner)
    : QWidget(owner, Qt::Dialog)
    , Host(host)
    , List1(new QListWidget(this))
{
    setObjectName(QStringLiteral("frmSkins"));
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowTitle(QStringLiteral("Skin Browser"));
    List1->setObjectName(QStringLiteral("List1"));
    auto* caption = new QLabel(QStringLiteral("Available Skins:"), this);
    caption->setBuddy(List1);
    auto* ok = Button("&OK", "Command1", this);
    auto* cancel = Button("&Cancel", "Command2", this);
    ok->setDefault(true);
    connect(ok, &QPushButton::clicked, this, &frmSkins::Command1_Click);
    connect(cancel, &QPushButton::clicked, this, &QWidget::close);
    // Only the user's choice applies a skin: the list makes its first entry the current one when
    // it takes the focus, which must not change the skin.
    connect(List1, &QListWidget::itemClicked, this,
        [this](QListWidgetItem* item) { List1_Click(List1->row(item)); });
    connect(List1, &QListWidget::itemActivated, this,
        [this](QListWidgetItem* item) { List1_Click(List1->row(item)); });
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(ok);
    buttons->addWidget(cancel);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(caption);
    layout->addWidget(List1, 1);
    layout->addLayout(buttons);
    resize(260, 300);
}

void frmSkins::Open()
{
    FillList();
    ShowAboveList(*this, Host, "Skins Load");
}

void frmSkins::FillList()
{
    SkinAtOpening = Host.CurrentSettings().SkinPath;
    // The Skins folder as spelled on disk: skins come from systems that ignore letter case.
    const QString program = Host.ProgramFolder();
    const auto skins = FindEntryIgnoringCase(QFile::encodeName(program).toStdString(), "Skins");
    if (skins) {
        const QDir folder(QDir(program).filePath(QFile::decodeName(QByteArray::fromStdString(*skins))));
        const QSignalBlocker quiet(List1);
        List1->addItems(folder.entryList(QDir::Dirs | QDir::NoDotAndDotDot, QDir::Name | QDir::IgnoreCase));
    }
    SelectSkin(SkinAtOpening);
}

void frmSkins::SelectSkin(const std::string& skinPath)
{
    const QSignalBlocker quiet(List1);
    const QString name = SkinName(skinPath);
    List1->setCurrentRow(-1);
    for (int row = 0; row < List1->count(); ++row)
        if (List1->item(row)->text().compare(name, Qt::CaseInsensitive) == 0) {
            List1->setCurrentRow(row);
            return;
        }
}

void frmSkins::List1_Click(int row)
{
    if (row < 0)
        return;
    const std::string path = "/Skins/" + List1->item(row)->text().toStdString() + "/";
    if (SameSkinPath(path, Host.CurrentSettings().SkinPath))
        return;
    if (Host.ChangeSkin(path))
        return;
    // A skin that is not whole gives way, without a word, to the one in use at opening.
    if (!SameSkinPath(path, SkinAtOpening))
        Host.ChangeSkin(SkinAtOpening);
    SelectSkin(Host.CurrentSettings().SkinPath);
}

void frmSkins::Command1_Click()
{
    Kept = true;
    close();
}

void frmSkins::keyPressEvent(QKeyEvent* event)
{
    if (event->key() == Qt::Key_Escape)
        close();
    else
        QWidget::keyPressEvent(event);
}

void frmSkins::closeEvent(QCloseEvent* event)
{
    Unload();
    QWidget::closeEvent(event);
}

void frmSkins::Unload()
{
    if (Unloaded)
        return;
    Unloaded = true;
    if (!Kept && !SameSkinPath(Host.CurrentSettings().SkinPath, SkinAtOpening))
        Host.ChangeSkin(SkinAtOpening);
    GiveBackList(Host, "Skins Unload");
}

} // namespace agendrix
