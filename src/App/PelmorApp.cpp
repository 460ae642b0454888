#include "App/PelmorApp.h"

#include "App/AppDelegate.h"
#include "App/ApplicationEnvironment.h"
#include "App/ExitDeadline.h"
#include "App/MainThreadExitHook.h"
#include "App/TerminationSignalWatcher.h"
#include "Persistence/UserDefaultsAppSettingsStore.h"
#include "Platform/AppKit/ClipboardManagerHandover.h"
#include "Platform/Async/EventLoopExecutor.h"
#include "Platform/Async/EventLoopTimerService.h"
#include "Platform/Async/Runtime.h"
#include "Platform/Foundation/NotificationCenter.h"
#include "Platform/Process/ChildProcess.h"

#include <optional>

#include <QApplication>
#include <QDBusConnection>
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
    quitWhenTheSessionBusEnds();
    delegate_ = AppDelegate::create(makeApplicationEnvironment());
    // Qt's X platform ends the process through exit() when the display goes
    // away, from inside the event loop: the teardown below never runs. That
    // end gets the same bound, and the children's groups end with it.
    MainThreadExitHook::set([this] {
        armExitDeadline(displayLostStatus);
        ChildProcess::killAllRunningGroups();
    });
}

PelmorApp::~PelmorApp() {
    MainThreadExitHook::set({});
    armExitDeadline(0);
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
    // that waits for a manager pauses the deadline, for as long as it waits.
    std::optional<ExitDeadline::Pause> handoverPause;
    ClipboardManagerHandover::handOver(clipboardHandoverTimeout, [&] {
        handoverPause.emplace(*exitDeadline_, clipboardHandoverTimeout);
    });
    handoverPause.reset();
    // The Qt application's destruction waits for its host-lookup threads,
    // which a resolver that does not answer holds for many seconds: past the
    // deadline, the process ends without them.
    application_.reset();
    exitDeadline_.reset();
}

// One deadline bounds the whole teardown, whatever waits in it, from the
// moment the event loop ends; past it the process ends at once, and every
// child's group with it.
void PelmorApp::armExitDeadline(int status) {
    if (!exitDeadline_) {
        exitDeadline_ = std::make_unique<ExitDeadline>(teardownTimeout, status,
                                                       &ChildProcess::killAllRunningGroups);
    }
}

// A session bus that ends is a session that is over. Without a bus at the
// start there is nothing to lose.
void PelmorApp::quitWhenTheSessionBusEnds() {
    QDBusConnection sessionBus = QDBusConnection::sessionBus();
    if (sessionBus.isConnected()) {
        sessionBus.connect(QString(), QStringLiteral("/org/freedesktop/DBus/Local"),
                           QStringLiteral("org.freedesktop.DBus.Local"),
                           QStringLiteral("Disconnected"), application_.get(), SLOT(quit()));
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
                         armExitDeadline(0);
                         delegate_->applicationWillTerminate();
                     });
    return QApplication::exec();
}
