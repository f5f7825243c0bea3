#pragma once

#include "geometry/BookShelf.h"

#include <QPixmap>
#include <QTimer>
#include <QWidget>

#include <cstdint>
#include <string>

class QLabel;
class QPushButton;

namespace agendrix {

class ListHost;
class Shell;

// What differs between one about box and another: the title on the shelf and the seed of the
// shelf's random generator, which the list window takes from its clock.
struct AboutOptions {
    std::string Title = "Agendrix"; // UTF-8
    std::uint32_t Seed = 0;
};

// The about box: the version, a description, a legal notice and the logo, a shelf on which books
// are drawn one after another while it is open, OK and System Info. It takes the list window's
// always-on-top state away while it is open and gives it back on closing.
class frmAbout : public QWidget {
    Q_OBJECT
public:
    static constexpr int ShelfWid = 320;
    static constexpr int ShelfHgt = 130;
    static constexpr int TitleFontPixels = 24; // before the title is fitted

    frmAbout(ListHost& host, Shell& shell, AboutOptions options, QWidget* owner);

    // Shows it centred on the screen, modal but without blocking; it unloads itself on closing.
    void Open();
    // The title's font size on the shelf, in pixels, after fitting.
    int TitlePixels() const { return TitleFont.pixelSize(); }
    const QPixmap& ShelfPicture() const { return Canvas; }

protected:
    void keyPressEvent(QKeyEvent* event) override; // Escape closes, as OK does
    void closeEvent(QCloseEvent* event) override;

private:
    void BuildControls();
    void SetUpShelf();
    void FitTitle();
    void Timer1_Timer();
    void cmdSysInfo_Click();
    void Unload();

    ListHost& Host;
    Shell& Desktop;
    const AboutOptions Options;
    BookShelf Shelf;
    QPixmap Canvas; // the drawing so far, the shelf's background
    QPixmap Trinket;
    QFont TitleFont;
    QLabel* picShelf;
    QPushButton* cmdOK;
    QPushButton* cmdSysInfo;
    QTimer Timer1 { this };
};

} // namespace agendrix
