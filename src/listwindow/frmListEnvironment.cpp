// The options dialog and the skin browser, and the skin change the browser applies.
#include "frmList.h"

#include "frmDockTab.h"

#include "editing/InlineEditors.h"
#include "environment/HelpPage.h"
#include "environment/frmSkins.h"
#include "environment/frmTools.h"

#include <QCoreApplication>

namespace agendrix {

frmTools* frmList::ShowOptions()
{
    const QString helpPage = FindHelpPage(Services.ProgramFolder, QCoreApplication::applicationDirPath());
    auto* dialog = new frmTools(*this, Services.TheShell,
        ToolsOptions { helpPage.toStdString(), HomePageAddress(helpPage).toStdString(), Associations }, this);
    dialog->Open();
    return dialog;
}

frmSkins* frmList::ShowSkinBrowser()
{
    auto* browser = new frmSkins(*this, this);
    browser->Open();
    return browser;
}

bool frmList::ChangeSkin(const std::string& skinPath)
{
    QString path = QString::fromStdString(skinPath);
    const bool whole = Skin.LoadSkin(Services.ProgramFolder, path);
    TheSettings.SkinPath = path.toStdString();
    RowEditors->SetColours(Skin.EditBackground, Skin.ListText);
    if (Tab) {
        Tab->LoadSkin(Services.ProgramFolder, path);
        PlaceDockTab(Tab->y());
    }
    DrawSkin(Redraw::Always);
    update();
    return whole;
}

} // namespace agendrix
