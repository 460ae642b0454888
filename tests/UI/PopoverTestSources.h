#pragma once

#include "Platform/Foundation/NotificationCenter.h"
#include "Support/CountingLocationSettingsOpener.h"
#include "Support/FakeCaptivePortalChecker.h"
#include "Support/FakeDNSLookupRunner.h"
#include "Support/FakeLocationAuthorizer.h"
#include "Support/FakeLoginItems.h"
#include "Support/FakeNotificationPoster.h"
#include "Support/FakePingProbeRunner.h"
#include "Support/FakeTCPConnectionCounter.h"
#include "Support/FixedNetworkMetadata.h"
#include "Support/HeldUpdateChecker.h"
#include "Support/RecordingMonitorControl.h"
#include "Support/RecordingSettingsStore.h"
#include "Support/ScriptedWiFiInterface.h"
#include "Support/TestRuntime.h"
#include "UI/ContentView.h"

#include <array>
#include <memory>
#include <vector>

#include <QStringList>
#include <QUrl>

// The popover's shared objects as the application builds them: real monitors
// and controllers over scripted probes, on the test runtime. The lifecycle
// controller drives five recording stand-ins, so starting and stopping show
// in `log` next to the settings writes; the monitors are polled by `poll()`.
class PopoverTestSources {
public:
    static constexpr const char* gateway = "192.168.1.1";
    static constexpr const char* internetTarget = "1.1.1.1";

    explicit PopoverTestSources(TestRuntime& runtime);

    // Launches the lifecycle controller: monitoring as stored.
    void launch();
    // Polls each monitor `times` times, then lets every follow-up run.
    void poll(int times = 1);
    // Sets the scripted network to answer as a healthy one: Wi-Fi "Office",
    // router 3.25 ms, internet 18.44 ms with 1.96 ms jitter, DNS 24.06 ms.
    void answerAsHealthyNetwork();

    TestRuntime& runtime;
    QStringList log;
    std::shared_ptr<RecordingSettingsStore> store = std::make_shared<RecordingSettingsStore>(log);
    std::array<std::shared_ptr<RecordingMonitorControl>, 5> monitorControls;
    std::shared_ptr<ScriptedWiFiInterface> wifiInterface =
        std::make_shared<ScriptedWiFiInterface>();
    std::shared_ptr<FakePingProbeRunner> pings = std::make_shared<FakePingProbeRunner>();
    std::shared_ptr<FakeDNSLookupRunner> lookups = std::make_shared<FakeDNSLookupRunner>();
    std::shared_ptr<FakeTCPConnectionCounter> connections =
        std::make_shared<FakeTCPConnectionCounter>();
    std::shared_ptr<FakeCaptivePortalChecker> portals =
        std::make_shared<FakeCaptivePortalChecker>();
    std::shared_ptr<FakeLocationAuthorizer> authorizer = std::make_shared<FakeLocationAuthorizer>();
    std::shared_ptr<CountingLocationSettingsOpener> locationSettings =
        std::make_shared<CountingLocationSettingsOpener>();
    std::shared_ptr<HeldUpdateChecker> updates = std::make_shared<HeldUpdateChecker>();
    std::vector<QUrl> openedURLs;
    std::shared_ptr<FakeLoginItems> loginItems = std::make_shared<FakeLoginItems>();
    NotificationCenter notificationCenter;
    // The login-item controllers the settings panel made, oldest first.
    std::vector<std::shared_ptr<LaunchAtLoginController>> madeLoginControllers;
    ContentView::Sources sources;
};
