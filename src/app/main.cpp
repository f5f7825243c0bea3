#include "CommandLine.h"
#include "DesktopShell.h"
#include "ProgramSetup.h"
#include "QtPrompts.h"
#include "SignalBridge.h"
#include "SingleInstance.h"
#include "SystemClock.h"

#include "listwindow/frmList.h"

#include <QApplication>
#include <QDir>
#include <QTimer>

#include <cstdio>
#include <unistd.h>

namespace {
// Ends the program once the window it watches has painted.
class FirstPaintQuits : public QObject {
public:
    using QObject::QObject;
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::Paint)
            QTimer::singleShot(0, qApp, &QCoreApplication::quit);
        return QObject::eventFilter(watched, event);
    }
};
} // namespace

int main(int argc, char** argv)
{
    using namespace agendrix;
    // The window places itself, which Wayland does not allow: prefer X11 (XWayland) when there
    // is a display for it, unless the user chose a platform.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM") && !qEnvironmentVariableIsEmpty("DISPLAY"))
        qputenv("QT_QPA_PLATFORM", "xcb");
    QApplication application(argc, argv);
    application.setApplicationName(QStringLiteral("Agendrix"));

    const std::vector<std::string> arguments(argv + 1, argv + argc);
    const StartRequest request = ParseCommandLine(arguments, QDir::currentPath().toStdString());
    const QString programFolder = PrepareProgramFolder(QCoreApplication::applicationDirPath());
    SingleInstance instance(programFolder);
    if (request.Kind == StartKind::Normal && instance.Claim(request.ListPath) == StartRole::HandedOver)
        return 0;

    SystemClock clock;
    QtPrompts prompts;
    DesktopShell shell;
    frmList window(ListWindowServices { clock, prompts, shell, programFolder }, LoadSettings(programFolder));
    prompts.SetParent(&window);
    SignalBridge signalBridge;
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
    // For the start-up benchmark: end as soon as the window has been painted once.
    if (qEnvironmentVariableIsSet("AGENDRIX_QUIT_AFTER_FIRST_PAINT"))
        window.installEventFilter(new FirstPaintQuits(&window));
    window.Start(request.ListPath);
    return application.exec();
}
