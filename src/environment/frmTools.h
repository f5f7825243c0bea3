#pragma once

#include <QWidget>

#include <string>

class QButtonGroup;
class QCheckBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QSlider;
class QToolButton;

namespace agendrix {

class EnvironmentHost;
class FileAssociations;
class Shell;

// What the list window hands the options dialog besides itself.
struct ToolsOptions {
    std::string HelpPage; // the program's help page, a path (UTF-8)
    std::string HomePage; // the address Online opens
    // Registers the file types; without one the Associate button is disabled.
    FileAssociations* Associations = nullptr;
};

// The options dialog ("Toolbox"): the list window's user settings, taken when it opens and
// written back only by OK, which then redisplays the list; Cancel, Escape and the close button
// discard every edit. Associate, Help and Online act at once, whatever OK or Cancel do later.
class frmTools : public QWidget {
    Q_OBJECT
public:
    static constexpr int SlowestSlider = 1; // AniSpeed 10
    static constexpr int FastestSlider = 10; // AniSpeed 1
    static constexpr int FewestDays = 1;
    static constexpr int MostDays = 4681; // as many as the settings file keeps

    frmTools(EnvironmentHost& host, Shell& shell, ToolsOptions options, QWidget* owner);

    // Shows it centred on the screen, modal but without blocking; it unloads itself on closing.
    void Open();

protected:
    void keyPressEvent(QKeyEvent* event) override; // Escape closes, as Cancel does
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QGroupBox* BuildSpeedFrame();
    QGroupBox* BuildDefaultListFrame();
    QGroupBox* BuildDaysFrame();
    QGroupBox* BuildAssociateFrame();
    QLayout* BuildButtonRow();
    void LayOut();
    void ShowSettings();

    void Command1_Click(); // OK
    void Command3_Click(); // Browse
    void Command4_Click(); // Associate
    void Command5_Click(); // Help
    void Command6_Click(); // Online
    void Label5_Click(); // Note
    void StepDays(int step);
    // Puts back "3", with a message, when the days per level are not a number of days.
    void CheckDays();
    void Unload();

    EnvironmentHost& Host;
    Shell& Desktop;
    const ToolsOptions Options;
    QSlider* HScroll1;
    QLabel* Label3;
    QCheckBox* Check1;
    QCheckBox* Check2;
    QCheckBox* Check3;
    QCheckBox* Check4;
    QButtonGroup* Option1;
    QLineEdit* Text1;
    QLineEdit* Text2;
    QLabel* Label5;
    bool Unloaded = false;
};

} // namespace agendrix
