#include "App/PelmorApp.h"

#include "App/AppDelegate.h"
#include "App/TerminationSignalWatcher.h"
#include "Platform/Async/EventLoopExecutor.h"
#include "Platform/Async/EventLoopTimerService.h"
#include "Platform/Async/Runtime.h"
#include "Platform/Foundation/NotificationCenter.h"
#include "UI/MenuBar/StatusImageComposer.h"
#include "UI/MenuBar/ToolWindowKind.h"
#include "UI/UserDefaultsColorfulIconSettingsProvider.h"

#include <QApplication>
#include <QLabel>
#include <QSettings>
#include <QStandardPaths>
#include <QTimer>

namespace {

// A tool window whose tool is not built yet says so.
QWidget* makePendingToolView(ToolWindowKind kind) {
    auto* label =
        new QLabel(QStringLiteral("%1 is not built yet.").arg(toolWindowDescriptor(kind).title));
    label->setTextFormat(Qt::PlainText);
    label->setAlignment(Qt::AlignCenter);
    return label;
}

std::shared_ptr<QSettings> windowFrameSettings() {
    return std::make_shared<QSettings>(QSettings::NativeFormat, QSettings::UserScope,
                                       QStringLiteral("pelmor"), QStringLiteral("pelmor"));
}

AppDelegate::Environment applicationEnvironment() {
    auto environment = AppDelegate::productionEnvironment();
    environment.makeMenuBarController = [](AppDelegate& delegate) {
        return MenuBarController::create(MenuBarController::Dependencies{
            delegate.lifecycleController(),
            delegate.locationPermissionController(),
            delegate.healthAggregationController(),
            std::make_shared<UserDefaultsColorfulIconSettingsProvider>(delegate.appSettingsStore()),
            {},
            makePendingToolView,
            StatusImageComposer::makeStatusIcon,
            [] { QCoreApplication::quit(); },
            {},
            windowFrameSettings()});
    };
    return environment;
}

} // namespace

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
    delegate_ = AppDelegate::create(applicationEnvironment());
}

PelmorApp::~PelmorApp() {
    delegate_.reset();
    terminationWatcher_.reset();
    runtime_.reset();
}

int PelmorApp::exec() {
    QTimer::singleShot(0, application_.get(),
                       [this] { delegate_->applicationDidFinishLaunching(); });
    QObject::connect(application_.get(), &QCoreApplication::aboutToQuit, application_.get(),
                     [this] { delegate_->applicationWillTerminate(); });
    return QApplication::exec();
}
