#include "App/AppDelegate.h"

#include "AppDelegateFixture.h"

class AppDelegateTest : public AppDelegateFixture {};

TEST_F(AppDelegateTest, LaunchAsksForPermissionBeforeMonitoringAndStartsEverything) {
    auto delegate = AppDelegate::create(environment());
    auto subscription = delegate->lifecycleController()->isMonitoringEnabled().subscribe(
        [&](bool enabled) { log.push_back(QStringLiteral("monitoring %1").arg(enabled)); });
    log.clear();
    delegate->applicationDidFinishLaunching();
    EXPECT_EQ(log, (std::vector<QString>{"location request", "monitoring 1"}));
    EXPECT_EQ(delegate->pingMonitor()->internetTarget(), QStringLiteral("203.0.113.9"));
    ASSERT_NE(delegate->menuBarController()->statusItem(), nullptr);
    EXPECT_TRUE(delegate->appUpdateController()->checkTask().isValid());
    runtime.advance(5.0);
    EXPECT_EQ(updates->checks, 1) << "the first update check comes 5 s after launch";
    delegate->applicationWillTerminate();
}

TEST_F(AppDelegateTest, ADecidedPermissionIsNotAskedForAgainAndStoredMonitoringOffStaysOff) {
    authorizer->status = LocationPermissionStatus::denied;
    store->setMonitoringEnabled(false);
    auto delegate = AppDelegate::create(environment());
    delegate->applicationDidFinishLaunching();
    EXPECT_TRUE(log.empty());
    EXPECT_FALSE(delegate->lifecycleController()->isMonitoringEnabled().value());
    EXPECT_NE(delegate->menuBarController()->statusItem(), nullptr)
        << "the status item is still shown";
    delegate->applicationWillTerminate();
}

TEST_F(AppDelegateTest, UnderATestHostLaunchAndTerminationDoNothing) {
    processEnvironment.insert(QStringLiteral("XCTestConfigurationFilePath"), QString());
    auto delegate = AppDelegate::create(environment());
    delegate->applicationDidFinishLaunching();
    delegate->applicationWillTerminate();
    EXPECT_FALSE(delegate->hasBuiltMenuBarController());
    EXPECT_TRUE(log.empty());
}

TEST_F(AppDelegateTest, TerminationBeforeLaunchBuildsNothingAndAfterItStopsEverything) {
    auto early = AppDelegate::create(environment());
    early->applicationWillTerminate();
    EXPECT_FALSE(early->hasBuiltMenuBarController());

    auto delegate = AppDelegate::create(environment());
    delegate->applicationDidFinishLaunching();
    delegate->applicationWillTerminate();
    delegate->applicationWillTerminate();
    EXPECT_FALSE(delegate->appUpdateController()->checkTask().isValid());
    EXPECT_FALSE(delegate->lifecycleController()->isMonitoringEnabled().value());
    EXPECT_EQ(delegate->menuBarController()->statusItem(), nullptr);
    runtime.advance(10.0);
    EXPECT_EQ(updates->checks, 0);
}

TEST_F(AppDelegateTest, TheLastNetworkNameIsStoredOncePerDistinctName) {
    auto delegate = AppDelegate::create(environment());
    delegate->applicationDidFinishLaunching();
    const auto see = [&](std::optional<QString> ssid, bool hasInterface = true) {
        interfaces->ssid = std::move(ssid);
        interfaces->hasInterface = hasInterface;
        pollWiFi(*delegate);
    };
    see(QStringLiteral("Linden House"));
    see(QStringLiteral("Linden House"));
    see(std::nullopt);
    see(std::nullopt, false);
    see(QStringLiteral("Linden House"));
    see(QStringLiteral("Café Nord"));
    see(QStringLiteral("Linden House"));
    EXPECT_EQ(store->lastSSIDWrites,
              (std::vector<std::optional<QString>>{QStringLiteral("Linden House"),
                                                   QStringLiteral("Café Nord"),
                                                   QStringLiteral("Linden House")}));
    delegate->applicationWillTerminate();
}
