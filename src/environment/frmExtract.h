#pragma once

#include "model/PackageExtraction.h"

#include <QElapsedTimer>
#include <QTimer>
#include <QWidget>

#include <memory>
#include <set>
#include <string>

class QLabel;
class QProgressBar;
class QPushButton;

namespace agendrix {

class Prompts;

// "New Package Detection": unpacks the packages waiting in the program folder before the list
// window opens, with a bar for the package and one for the file. A timer with no interval writes
// one slice at each turn of the event loop, so the window stays live without an event loop of
// its own; the labels and bars change at most every RefreshMs.
class frmExtract : public QWidget {
    Q_OBJECT
public:
    static constexpr std::size_t SliceBytes = 4 << 20;
    static constexpr int RefreshMs = 50;

    frmExtract(std::string programFolder, Prompts& prompts, QWidget* owner = nullptr);
    ~frmExtract() override;

    // Shows it centred on the screen and starts the work; Finished follows once it has closed.
    void Open();
    // One turn of the work, as Timer1 runs it.
    void Timer1_Timer();

signals:
    void Finished();

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void BuildControls();
    bool StartNextPackage();
    void EndPackage();
    void ShowProgress();
    void Complete();
    void Command1_Click();

    const std::string Folder;
    Prompts& Messages;
    std::unique_ptr<PackageExtraction> Current;
    std::set<std::string> Failed; // packages that stay where they are until the next start
    bool CancelAsked = false;
    bool Done = false;
    QTimer Timer1;
    QElapsedTimer SinceShown;
    QLabel* Label1;
    QLabel* Label5;
    QLabel* Label3;
    QLabel* Label6;
    QLabel* Label7;
    QProgressBar* Shape1;
    QProgressBar* Shape2;
    QPushButton* Command1;
};

// "Agendrix has detected 2 new packages. Please wait while the packages are extracted out. ..."
std::string DetectionMessage(std::size_t packages);

} // namespace agendrix
