#include "App/PelmorApp.h"

#include "App/AppDelegate.h"
#include "App/ApplicationEnvironment.h"
#include "App/ExitDeadline.h"
#include "App/TerminationSignalWatcher.h"
#include "Persistence/UserDefaultsAppSettingsStore.h"
#include "Platform/AppKit/ClipboardManagerHandover.h"
#include "Platform/Async/EventLoopExecutor.h"
#include "Platform/Async/EventLoopTimerService.h"
#include "Platform/Async/Runtime.h"
#include "Platform/Foundation/NotificationCenter.h"
#include "Platform/Process/ChildProcess.h"

#include <QApplication>
#include <QFileInfo>
#include <QSettings>
#include <QTimer>

PelmorApp::PelmorApp(int& argc, char** argv)
    : application_(std::make_unique<QApplication>(argc, argv)) {
    QApplication::setApplicationName(QStringLiteral("Pelmor"));
    QApplication::setOrganizationName(QStringLiteral("pelmor"));
    QApplication::setQuitOnLastWindowClosed(false);
    runtime_ = std::make_unique<Async::Runtime>(std::make_shared<Async::EventLoopExecutor>(),
                                                std::make_shared<Async::EventLoopTimerService>());
    terminationWatcher_ = std::make_unique<TerminationSignalWatcher>();
    QObject::connect(terminationWatcher_.get(), &TerminationSignalWatcher::terminationRequested,
                     application_.get(), [] { QApplication::quit(); });
    QObject::connect(application_.get(), &QGuiApplication::applicationStateChanged,
                     [](Qt::ApplicationState state) {
                         if (state == Qt::ApplicationActive) {
                             NotificationCenter::defaultCenter().post(
                                 NotificationCenter::applicationDidBecomeActive);
                         }
                     });
    delegate_ = AppDelegate::create(makeApplicationEnvironment());
}

PelmorApp::~PelmorApp() {
    armExitDeadline();
    delegate_.reset();
    terminationWatcher_.reset();
    runtime_.reset();
    // A run cancelled just now has only asked, through the event loop that
    // has ended, for its child to end: nothing started here outlives Pelmor.
    // Nothing waits for the killed children: the process ends next.
    ChildProcess::killAllRunning();
    // Qt hands the clipboard to the desktop's clipboard manager only in the
    // destruction below, which the deadline may cut short: a report copied
    // while the network is broken would go with the process. Only a handover
    // that waits for a manager adds its own bound to the deadline.
    ClipboardManagerHandover::handOver(
        clipboardHandoverTimeout, [this] { exitDeadline_->extendBy(clipboardHandoverTimeout); });
    // The Qt application's destruction waits for its host-lookup threads,
    // which a resolver that does not answer holds for many seconds: past the
    // deadline, the process ends without them.
    application_.reset();
    exitDeadline_.reset();
}

// One deadline bounds the whole teardown, whatever waits in it, from the
// moment the event loop ends; past it the process ends at once, and every
// child's group with it. Pelmor only ever quits with status 0.
void PelmorApp::armExitDeadline() {
    if (!exitDeadline_) {
        exitDeadline_ =
            std::make_unique<ExitDeadline>(teardownTimeout, 0, &ChildProcess::killAllRunningGroups);
    }
}

QString PelmorApp::instanceLockFolder() {
    const QString settingsFile = UserDefaultsAppSettingsStore::standardFileName();
    return QFileInfo(settingsFile).absolutePath();
}

int PelmorApp::exec() {
    QTimer::singleShot(0, application_.get(),
                       [this] { delegate_->applicationDidFinishLaunching(); });
    QObject::connect(application_.get(), &QCoreApplication::aboutToQuit, application_.get(),
                     [this] {
                         armExitDeadline();
                         delegate_->applicationWillTerminate();
                     });
    return QApplication::exec();
}
