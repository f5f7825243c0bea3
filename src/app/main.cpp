#include "CommandLine.h"
#include "DesktopAssociations.h"
#include "DesktopShell.h"
#include "ProgramSetup.h"
#include "QtPrompts.h"
#include "SignalBridge.h"
#include "SingleInstance.h"
#include "SystemClock.h"

#include "environment/frmExtract.h"
#include "listwindow/frmList.h"
#include "model/PackageExtraction.h"

#include <QApplication>
#include <QDir>
#include <QEventLoop>
#include <QFileSystemWatcher>
#include <QTimer>

#include <chrono>
#include <cstdio>
#include <memory>
#include <optional>
#include <string>
#include <unistd.h>
#include <vector>

namespace {
// Closes the window it watches once it has painted, saying when that was, which ends the
// program as the user's closing it does.
class FirstPaintCloses : public QObject {
public:
    explicit FirstPaintCloses(QWidget* window)
        : QObject(window)
        , Window(window)
    {
    }
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::Paint && !Painted) {
            Painted = true;
            // Nanoseconds since the epoch, on the clock that `date +%s%N` reads: the benchmark
            // takes the time to the first paint, not the time the program takes to end.
            std::printf("first paint %lld\n",
                static_cast<long long>(std::chrono::duration_cast<std::chrono::nanoseconds>(
                    std::chrono::system_clock::now().time_since_epoch())
                                           .count()));
            std::fflush(stdout);
            QTimer::singleShot(0, Window, &QWidget::close);
        }
        return QObject::eventFilter(watched, event);
    }

private:
    QWidget* Window;
    bool Painted = false;
};

// The exit status of a start that ends here: 0 when its list was handed over, 1 when it was not.
std::optional<int> EndsHere(agendrix::SingleInstance& instance, const agendrix::StartRequest& request)
{
    switch (instance.Claim(request)) {
    case agendrix::StartRole::HandedOver:
        return 0;
    case agendrix::StartRole::NotHandedOver:
        std::fprintf(stderr, "agendrix: %s\n", instance.Problem().c_str());
        return 1;
    case agendrix::StartRole::Running:
        break;
    }
    return std::nullopt;
}

// A request placed in the queue file is read at once, one placed while the window started
// included; the window's own check every 600 ms stays for folders whose changes are not
// reported, such as network folders.
void ReadHandOversAtOnce(agendrix::frmList& window, const QString& programFolder)
{
    auto* watcher = new QFileSystemWatcher({ programFolder }, &window);
    QObject::connect(watcher, &QFileSystemWatcher::directoryChanged, &window, &agendrix::frmList::CheckQueue);
    window.CheckQueue();
}

// Packages dropped into the program folder are unpacked before the list window opens, so that
// a skin they bring is there when the window loads its skin. Only the running instance does
// this, so two starts never unpack the same package at once.
void ExtractPackages(const QString& programFolder, agendrix::Prompts& prompts)
{
    if (agendrix::ListPackages(programFolder.toStdString()).empty())
        return;
    agendrix::frmExtract window(programFolder.toStdString(), prompts);
    // Start-up waits here as for any modal dialog; the work itself runs from the window's timer.
    QEventLoop waiting;
    QObject::connect(&window, &agendrix::frmExtract::Finished, &waiting, &QEventLoop::quit);
    window.Open();
    waiting.exec();
}

// Ctrl+C closes the window as the user would; SIGTERM, SIGHUP and a logout end the program at
// once, keeping unsaved changes in the recovery copy.
void EndWithTheSystem(agendrix::frmList& window, const agendrix::SignalBridge& signalBridge,
    QApplication& application, agendrix::SingleInstance& instance)
{
    using agendrix::frmList;
    using agendrix::SignalBridge;
    QObject::connect(&signalBridge, &SignalBridge::Interrupted, &window, &QWidget::close);
    QObject::connect(&signalBridge, &SignalBridge::TerminationRequested, &window, &frmList::Terminate);
    QObject::connect(&application, &QGuiApplication::commitDataRequest, &window, &frmList::Terminate);
    // Everything is on disk by now. Ending here, rather than unwinding, also ends any message
    // box that happened to be open, which would otherwise hold the program up.
    QObject::connect(&window, &frmList::Terminated, [&instance] {
        instance.Release();
        std::fflush(nullptr);
        ::_exit(0);
    });
}

struct ProgramRun {
    QApplication& Application;
    agendrix::SingleInstance& Instance;
    agendrix::SystemClock& Clock;
    QString ProgramFolder;
};

// The list window on its first list, with the desktop's services, until the program ends.
int RunListWindow(
    const ProgramRun& run, const std::string& listPath, std::unique_ptr<agendrix::ListPreload> preload)
{
    using namespace agendrix;
    QtPrompts prompts;
    ExtractPackages(run.ProgramFolder, prompts);
    DesktopShell shell;
    DesktopAssociations associations;
    frmList window(
        ListWindowServices { run.Clock, prompts, shell, run.ProgramFolder }, LoadSettings(run.ProgramFolder));
    window.UseFileAssociations(&associations);
    prompts.SetParent(&window);
    SignalBridge signalBridge;
    EndWithTheSystem(window, signalBridge, run.Application, run.Instance);
    // For the start-up benchmark: end as soon as the window has been painted once.
    if (qEnvironmentVariableIsSet("AGENDRIX_QUIT_AFTER_FIRST_PAINT"))
        window.installEventFilter(new FirstPaintCloses(&window));
    window.Start(listPath, preload.get());
    // Taken, or for another list than the one opened: stopped. A window that still sorts the
    // rest of its list keeps it until the window is gone.
    if (window.WholeListShown())
        preload.reset();
    ReadHandOversAtOnce(window, run.ProgramFolder);
    return run.Application.exec();
}
} // namespace

int main(int argc, char** argv)
{
    using namespace agendrix;
    // Starts made in quick succession are served in the order they were made: this one takes
    // its place among them before anything else, Qt included, takes time.
    const std::string executableFolder = ExecutableFolder(argv[0]);
    const std::string folder = ProgramFolderFor(executableFolder);
    SingleInstance instance(folder);
    SystemClock clock;
    // The first list is read, assessed and sorted on a thread of its own while Qt starts, which
    // takes about as long as that for a list of 100,000 tasks; a start that will hand its list
    // over reads none.
    std::unique_ptr<ListPreload> preload = instance.HeldElsewhere()
        ? nullptr
        : PreloadFirstList(folder, std::vector<std::string>(argv + 1, argv + argc), clock.Now());

    // The window places itself, which Wayland does not allow: prefer X11 (XWayland) when there
    // is a display for it, unless the user chose a platform.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM") && !qEnvironmentVariableIsEmpty("DISPLAY"))
        qputenv("QT_QPA_PLATFORM", "xcb");
    // No visual-style manifest: a Windows program needs one beside its executable before its
    // controls take the current style, and restarts once after writing it. On Linux the style
    // initialisation is all there is to it, and QApplication does it here from the desktop's
    // settings; nothing is written and the program never restarts itself.
    QApplication application(argc, argv);
    application.setApplicationName(QStringLiteral("Agendrix"));

    const std::vector<std::string> arguments(argv + 1, argv + argc);
    const StartRequest request = ParseCommandLine(arguments, QDir::currentPath().toStdString());
    const QString programFolder = PrepareProgramFolder(QString::fromStdString(executableFolder));
    if (const std::optional<int> status = EndsHere(instance, request))
        return *status;

    return RunListWindow(
        ProgramRun { application, instance, clock, programFolder }, request.ListPath, std::move(preload));
}
