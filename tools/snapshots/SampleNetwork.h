#pragma once

#include "Core/AppUpdateChecking.h"
#include "SampleState.h"
#include "System/CaptivePortalChecking.h"
#include "System/DNSLookupRunning.h"
#include "System/LocationAuthorizing.h"
#include "System/LocationSettingsOpening.h"
#include "System/PingProbeRunning.h"
#include "System/TCPConnectionCounting.h"
#include "System/WiFiInterfaceProviding.h"
#include "System/WiFiNetworkMetadataResolving.h"

// Everything the monitors and controllers ask of the outside world, answered
// with fixed readings for one sample state. Each reading wobbles a little
// from poll to poll, the same way on every run, so that the histories look
// alive.
class SampleNetwork final : public WiFiInterfaceProviding,
                            public WiFiNetworkMetadataResolving,
                            public PingProbeRunning,
                            public DNSLookupRunning,
                            public TCPConnectionCounting,
                            public CaptivePortalChecking,
                            public LocationAuthorizing,
                            public LocationSettingsOpening,
                            public AppUpdateChecking {
public:
    explicit SampleNetwork(SampleState state);

    std::optional<WiFiInterfaceSnapshot> currentSnapshot() override;
    Async::Task<std::optional<QString>> ipv4Address(QString interfaceName) override;
    Async::Task<bool> isVPNActive() override;

    Async::Task<PingProbeMeasurement> performPing(QString target, double timeout) override;
    Async::Task<std::optional<QString>> resolveDefaultGateway(double timeout) override;

    Async::Task<DNSLookupMeasurement> lookup(QString domain, double timeout) override;
    Async::Task<TCPConnectionMeasurement> fetchConnectionCounts(double timeout) override;
    Async::Task<CaptivePortalDetectionMeasurement> checkForCaptivePortal(double timeout) override;

    LocationPermissionStatus authorizationStatus() const override;
    const StatusChangeCallback& onAuthorizationStatusChange() const override;
    void setOnAuthorizationStatusChange(StatusChangeCallback callback) override;
    void requestWhenInUseAuthorization() override {}
    bool openLocationServicesPane() override { return false; }

    Async::Task<UpdateCheckResult> checkForUpdate() override;

    static inline const QString gatewayAddress = QStringLiteral("192.168.1.1");

private:
    // The reading's value at the current poll: `base` moved by up to
    // `spread` of itself.
    double wobble(double base, double spread, int phase) const;

    SampleState state_;
    int wifiPolls_ = 0;
    int pingPolls_ = 0;
    int dnsPolls_ = 0;
    int connectionPolls_ = 0;
    StatusChangeCallback statusCallback_;
};
