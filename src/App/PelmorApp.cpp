#include "App/PelmorApp.h"

#include "App/AppDelegate.h"
#include "App/ApplicationEnvironment.h"
#include "App/ExitDeadline.h"
#include "App/MainThreadExitHook.h"
#include "App/TerminationSignalWatcher.h"
#include "Persistence/UserDefaultsAppSettingsStore.h"
#include "Platform/AppKit/ClipboardManagerHandover.h"
#include "Platform/AppKit/Xcb/RootWindowAccessibilityBus.h"
#include "Platform/Async/EventLoopExecutor.h"
#include "Platform/Async/EventLoopTimerService.h"
#include "Platform/Async/Runtime.h"
#include "Platform/DBus/AccessibilityBus.h"
#include "Platform/DBus/MessageBusAddress.h"
#include "Platform/DBus/MessageBusProbe.h"
#include "Platform/Foundation/NotificationCenter.h"
#include "Platform/Foundation/SingleInstanceLock.h"
#include "Platform/Process/ChildProcess.h"

#include <cstdio>

#include <QApplication>
#include <QDBusConnection>
#include <QFile>
#include <QFileInfo>
#include <QSettings>
#include <QStandardPaths>
#include <QTimer>

PelmorApp::PelmorApp(int& argc, char** argv)
    : application_(std::make_unique<QApplication>(argc, argv)) {
    QApplication::setApplicationName(QStringLiteral("Pelmor"));
    QApplication::setOrganizationName(QStringLiteral("pelmor"));
    QApplication::setQuitOnLastWindowClosed(false);
    // Qt's accessibility bridge asks its launcher and joins its bus on the
    // main thread, and would wait there long, or without end, on one that
    // stalls.
    if (const QString silent =
            AccessibilityBus::keepTheBridgeOffASilentBus(RootWindowAccessibilityBus::address());
        !silent.isEmpty()) {
        std::fprintf(stderr, "Pelmor runs without accessibility: %s does not answer.\n",
                     silent.toLocal8Bit().constData());
    }
    runtime_ = std::make_unique<Async::Runtime>(std::make_shared<Async::EventLoopExecutor>(),
                                                std::make_shared<Async::EventLoopTimerService>());
    // A quitting signal arms the deadline at once: the quit it asks for waits
    // for the event loop, which a call stuck in Qt or a library may hold.
    terminationWatcher_ =
        std::make_unique<TerminationSignalWatcher>([this](int) { armExitDeadline(0); });
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
    // away, from inside an event loop: the main one, where the teardown below
    // then never runs, or the clipboard handover's within it, which then
    // never ends. That end gets the same bound, less the handover's wait it
    // cuts short, and a lost display's status; the children's groups end
    // with it.
    MainThreadExitHook::set([this] {
        clipboardHandoverPause_.reset();
        armExitDeadline(displayLostStatus);
        ChildProcess::killAllRunningGroups();
    });
}

PelmorApp::~PelmorApp() {
    armExitDeadline(0);
    delegate_.reset();
    terminationWatcher_.reset();
    runtime_.reset();
    // A run cancelled just now has only asked, through the event loop that
    // has ended, for its child to end: nothing started here outlives Pelmor.
    // Nothing waits for the killed children: the process ends next.
    ChildProcess::killAllRunning();
    handOverTheClipboard();
    // The Qt application's destruction waits for its host-lookup threads,
    // which a resolver that does not answer holds for many seconds: past the
    // deadline, the process ends without them.
    application_.reset();
    MainThreadExitHook::set({});
    exitDeadline_.reset();
}

// Qt hands the clipboard to the desktop's clipboard manager only while the
// Qt application is destroyed, which the deadline may cut short: a report
// copied while the network is broken would go with the process. Only a
// handover that waits for a manager pauses the deadline, for as long as it
// waits.
void PelmorApp::handOverTheClipboard() {
    ClipboardManagerHandover::handOver(clipboardHandoverTimeout, [this] {
        clipboardHandoverPause_.emplace(*exitDeadline_, clipboardHandoverTimeout);
    });
    clipboardHandoverPause_.reset();
}

// One deadline bounds the whole teardown, whatever waits in it, from the
// moment the event loop ends or a quitting signal comes; past it the process ends at once, and
// every child's group with it. The signal watcher's thread arms it too; the rest of the teardown
// touches it only once that thread has ended.
void PelmorApp::armExitDeadline(int status) {
    const std::lock_guard lock(exitDeadlineMutex_);
    if (exitDeadline_) {
        exitDeadline_->setStatus(status);
        return;
    }
    exitDeadline_ = std::make_unique<ExitDeadline>(teardownTimeout, status,
                                                   &ChildProcess::killAllRunningGroups);
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

std::optional<int> PelmorApp::refuseASilentSessionBus() {
    const QString address = MessageBusAddress::session();
    if (MessageBusProbe::probe(address) != MessageBusProbe::Outcome::doesNotAnswer) {
        return std::nullopt;
    }
    std::fprintf(stderr, "Pelmor cannot start: the session bus at %s does not answer.\n",
                 address.toLocal8Bit().constData());
    return 1;
}

std::unique_ptr<SingleInstanceLock> PelmorApp::lockInstance() {
    const QString settingsFolder =
        QFileInfo(UserDefaultsAppSettingsStore::standardFileName()).absolutePath();
    auto lock = std::make_unique<SingleInstanceLock>(settingsFolder);
    if (lock->outcome() != SingleInstanceLock::Outcome::unavailable ||
        QFileInfo(settingsFolder).isDir()) {
        return lock;
    }
    if (const QString runtimeFolder =
            QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
        !runtimeFolder.isEmpty()) {
        lock = std::make_unique<SingleInstanceLock>(runtimeFolder + QStringLiteral("/pelmor"));
    }
    if (lock->outcome() != SingleInstanceLock::Outcome::heldByAnotherProcess) {
        std::fprintf(stderr,
                     "Pelmor cannot make its settings folder %s; this session saves no "
                     "settings.\n",
                     QFile::encodeName(settingsFolder).constData());
    }
    return lock;
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
