#pragma once

#include <QWidget>

#include <string>

class QListWidget;

namespace agendrix {

class EnvironmentHost;

// The skin browser ("Skin Browser"): the folders of the program folder's Skins folder, each one
// skin. Choosing a name applies that skin to the list window at once; OK keeps the last one
// applied, Cancel, Escape and the close button go back to the skin in use when it opened. A skin
// that cannot be loaded whole is left silently for that skin.
class frmSkins : public QWidget {
    Q_OBJECT
public:
    frmSkins(EnvironmentHost& host, QWidget* owner);

    // Shows it centred on the screen, modal but without blocking; it unloads itself on closing.
    void Open();

protected:
    void keyPressEvent(QKeyEvent* event) override; // Escape closes, as Cancel does
    void closeEvent(QCloseEvent* event) override;

private:
    void FillList();
    // Selects the entry of the skin `skinPath` names, without applying it.
    void SelectSkin(const std::string& skinPath);
    void List1_Click(int row);
    void Command1_Click(); // OK
    void Unload();

    EnvironmentHost& Host;
    QListWidget* List1;
    std::string SkinAtOpening; // SkinPath when the dialog opened, for Cancel
    bool Kept = false; // OK was pressed: the skin last applied stays
    bool Unloaded = false;
};

} // namespace agendrix
