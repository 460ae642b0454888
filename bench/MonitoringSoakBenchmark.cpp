#include "AppState/HealthAggregationController.h"
#include "AppState/MonitoringLifecycleController.h"
#include "AppState/NoOpNetworkChangeObserver.h"
#include "AppState/NoOpSleepWakeObserver.h"
#include "Core/TaskSleeper.h"
#include "Monitors/CaptivePortalMonitor.h"
#include "Monitors/ConnectionMonitor.h"
#include "Persistence/InMemoryAppSettingsStore.h"
#include "Support/TestRuntime.h"

#include <benchmark/benchmark.h>
#include <chrono>
#include <fstream>
#include <sys/resource.h>
#include <unistd.h>

namespace {

// Instant probes that keep no record of their calls, so that nothing but the
// monitoring itself can grow over the simulated day.
class InstantPingProbe final : public PingProbeRunning {
public:
    Async::Task<PingProbeMeasurement> performPing(QString, double) override {
        co_return PingProbeMeasurement{20.0, 2.0, 0, true};
    }
    Async::Task<std::optional<QString>> resolveDefaultGateway(double) override {
        co_return QStringLiteral("192.168.1.1");
    }
};

class InstantDNSLookup final : public DNSLookupRunning {
public:
    Async::Task<DNSLookupMeasurement> lookup(QString, double) override {
        co_return DNSLookupMeasurement{12.0, true};
    }
};

class InstantConnectionCounter final : public TCPConnectionCounting {
public:
    Async::Task<TCPConnectionMeasurement> fetchConnectionCounts(double) override {
        co_return TCPConnectionMeasurement{TCPConnectionStateCounts{40, 3, 1}, true};
    }
};

class InstantInterfaceProvider final : public WiFiInterfaceProviding {
public:
    std::optional<WiFiInterfaceSnapshot> currentSnapshot() override {
        return WiFiInterfaceSnapshot{"wlan0",
                                     QStringLiteral("Linden House"),
                                     QStringLiteral("3c:84:6a:02:7e:11"),
                                     -55,
                                     -94,
                                     866,
                                     44,
                                     WiFiBand::fiveGigahertz};
    }
};

class InstantMetadataResolver final : public WiFiNetworkMetadataResolving {
public:
    Async::Task<std::optional<QString>> ipv4Address(QString) override {
        co_return QStringLiteral("192.168.1.23");
    }
    Async::Task<bool> isVPNActive() override { co_return false; }
};

class InstantCaptivePortalChecker final : public CaptivePortalChecking {
public:
    Async::Task<CaptivePortalDetectionMeasurement> checkForCaptivePortal(double) override {
        co_return CaptivePortalDetectionMeasurement::notCaptive();
    }
};

double residentMegabytes() {
    std::ifstream statm("/proc/self/statm");
    long pages = 0;
    long resident = 0;
    statm >> pages >> resident;
    return static_cast<double>(resident) * static_cast<double>(::sysconf(_SC_PAGESIZE)) / 1e6;
}

double peakResidentMegabytes() {
    rusage usage{};
    ::getrusage(RUSAGE_SELF, &usage);
    return static_cast<double>(usage.ru_maxrss) / 1e3;
}

} // namespace

// All five polled monitors at 0.5 s with instant fake probes, health
// aggregation subscribed, for a simulated day on the virtual clock.
void MonitoringSoakOneSimulatedDay(benchmark::State& state) {
    for (auto _ : state) {
        TestRuntime runtime;
        auto sleeper = std::make_shared<TaskSleeper>();
        auto clock = runtime.clock().dateProvider();
        auto pingProbe = std::make_shared<InstantPingProbe>();

        auto wifi =
            WiFiMonitor::create({2.0, 60}, std::make_shared<InstantInterfaceProvider>(),
                                std::make_shared<InstantMetadataResolver>(), sleeper, clock);
        auto pings = PingMonitor::create({2.0, 60, 1.5, "1.1.1.1", 3}, pingProbe, sleeper, clock);
        auto dns = DNSMonitor::create({2.0, 60, 1.5, std::nullopt},
                                      std::make_shared<InstantDNSLookup>(), sleeper, clock);
        auto connections = ConnectionMonitor::create(
            {2.0, 60, 1.5}, std::make_shared<InstantConnectionCounter>(), sleeper, clock);
        auto portal = CaptivePortalMonitor::create(
            {2.0, 60, 3.5}, std::make_shared<InstantCaptivePortalChecker>(), sleeper, clock);
        auto store = std::make_shared<InMemoryAppSettingsStore>();
        store->setMonitoringEnabled(true);
        store->setBatteryFriendly(false);
        auto lifecycle = MonitoringLifecycleController::create(
            {wifi, pings, dns, connections, portal}, {0.5, 4.0, 30.0},
            std::make_shared<NoOpNetworkChangeObserver>(),
            std::make_shared<NoOpSleepWakeObserver>(), sleeper, store);
        auto health = HealthAggregationController::create(lifecycle, wifi, pings, dns, clock);
        int recomputations = 0;
        auto subscription = health->healthState().subscribe([&](HealthState) { ++recomputations; });

        const auto started = std::chrono::steady_clock::now();
        lifecycle->applicationDidLaunch();
        runtime.advance(3600.0);
        const double afterOneHour = residentMegabytes();
        runtime.advance(23 * 3600.0);
        const double afterOneDay = residentMegabytes();
        const std::chrono::duration<double> wall = std::chrono::steady_clock::now() - started;

        state.counters["wall_s"] = wall.count();
        state.counters["rss_1h_MB"] = afterOneHour;
        state.counters["rss_24h_MB"] = afterOneDay;
        state.counters["peak_rss_MB"] = peakResidentMegabytes();
        state.counters["wifi_history"] = static_cast<double>(wifi->history().value().size());
        state.counters["recomputations"] = recomputations;
        lifecycle->applicationWillTerminate();
    }
}
BENCHMARK(MonitoringSoakOneSimulatedDay)->Iterations(1)->Unit(benchmark::kSecond);
