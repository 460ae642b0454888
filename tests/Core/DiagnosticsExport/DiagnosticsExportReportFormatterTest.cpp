#include "Core/DiagnosticsExport/DiagnosticsExportReportFormatter.h"

#include "Support/QStringPrinter.h"
#include "Support/ScopedCompiledLocale.h"
#include "Support/ScopedEnvironmentVariable.h"

#include <chrono>
#include <ctime>
#include <gtest/gtest.h>
#include <limits>
#include <optional>
#include <vector>

#include <QByteArray>
#include <QString>

using namespace Qt::Literals::StringLiterals;
using namespace std::chrono_literals;
using Report = DiagnosticsExportReport;
using Status = Report::SectionStatus;

namespace {

// 2026-03-04T05:06:07Z and a minute before.
const Date exportInstant = Date{} + 1'772'600'767s;
const Date captureInstant = exportInstant - 60s;
constexpr double notANumber = std::numeric_limits<double>::quiet_NaN();
constexpr double infinity = std::numeric_limits<double>::infinity();

Report fullReport() {
    return Report{
        .schemaVersion = 2,
        .exportedAt = exportInstant + 999ms,
        .app = {.name = QStringLiteral("pelmor"),
                .version = QStringLiteral("1.4.0"),
                .build = QStringLiteral("142")},
        .runtime = {.monitoringEnabled = true,
                    .batteryFriendlyModeEnabled = false,
                    .healthState = QStringLiteral("warning"),
                    .diagnosticsCapturedAt = captureInstant + 500ms},
        .wifi = {.status = Status::available,
                 .data = Report::WiFiData{.capturedAt = captureInstant,
                                          .ssid = QString::fromUtf8("Café Ørsted 📶"),
                                          .bssid = QStringLiteral("aa:bb:cc:dd:ee:ff"),
                                          .rssiDbm = -61,
                                          .noiseFloorDbm = -92,
                                          .snrDb = 31,
                                          .linkRateMbps = 866,
                                          .channelNumber = 36,
                                          .band = QStringLiteral("5 GHz"),
                                          .ipAddress = QStringLiteral("192.168.1.23"),
                                          .vpnActive = false}},
        .latency =
            {.routerPing = {.status = Status::available,
                            .data = Report::LatencySection::PingMetric{.capturedAt = captureInstant,
                                                                       .latencyMilliseconds = 2.5,
                                                                       .jitterMilliseconds = 0.4,
                                                                       .packetLossPercent = 0.0,
                                                                       .didSucceed = true}},
             .internetPing = {.status = Status::available,
                              .data =
                                  Report::LatencySection::PingMetric{.capturedAt = captureInstant,
                                                                     .latencyMilliseconds = 20.0,
                                                                     .jitterMilliseconds = 1.25,
                                                                     .packetLossPercent = 12.5,
                                                                     .didSucceed = true}},
             .dnsLookup = {.status = Status::available,
                           .data = Report::LatencySection::DNSMetric{.capturedAt = captureInstant,
                                                                     .domain = QStringLiteral(
                                                                         "example.com"),
                                                                     .latencyMilliseconds = 31.75,
                                                                     .didSucceed = false}}},
        .connectionPressure = {.status = Status::available,
                               .errorMessage =
                                   QStringLiteral("Connection monitor failed to read TCP states."),
                               .data = Report::ConnectionPressureData{.capturedAt = captureInstant,
                                                                      .quality = u"good"_s,
                                                                      .establishedCount = 10,
                                                                      .timeWaitCount = 3,
                                                                      .closeWaitCount = 2,
                                                                      .totalCount = 15,
                                                                      .orphanedCount = 5}},
        .captivePortal = {.status = Status::available,
                          .data =
                              Report::CaptivePortalData{
                                  .capturedAt = captureInstant,
                                  .isCaptivePortal = true,
                                  .reason = QStringLiteral("redirect"),
                                  .portalURL =
                                      QStringLiteral("http://portal.example/login?next=/home"),
                                  .probeURL = QStringLiteral("http://probe.example/generate_204")}},
        .speedTest = {.phase = QStringLiteral("completed"),
                      .status = Status::available,
                      .data = Report::SpeedTestData{.capturedAt = captureInstant,
                                                    .downloadMbps = 512.25,
                                                    .uploadMbps = 48.0,
                                                    .baselineLatencyMilliseconds = 11.5,
                                                    .downloadLoadedLatencyMilliseconds = 40.125,
                                                    .uploadLoadedLatencyMilliseconds = 60.0,
                                                    .downloadBufferbloatGrade = QStringLiteral("B"),
                                                    .uploadBufferbloatGrade = QStringLiteral("C"),
                                                    .didSucceed = true}},
        .channelScan = {.status = Status::available,
                        .errorMessage = QString(),
                        .data = Report::ChannelScanData{.capturedAt = captureInstant,
                                                        .passCount = 3,
                                                        .scannedNetworkCount = 17,
                                                        .currentChannelNumber = 36,
                                                        .currentBand = QStringLiteral("5 GHz"),
                                                        .currentChannelInterferenceScore = 0.42,
                                                        .suggestedChannelNumber = 149,
                                                        .suggestedBand = QStringLiteral("5 GHz"),
                                                        .didSucceed = true}},
    };
}

const char* const fullDocument = R"({
  "app" : {
    "build" : "142",
    "name" : "pelmor",
    "version" : "1.4.0"
  },
  "captivePortal" : {
    "data" : {
      "capturedAt" : "2026-03-04T05:05:07Z",
      "isCaptivePortal" : true,
      "portalURL" : "http:\/\/portal.example\/login?next=\/home",
      "probeURL" : "http:\/\/probe.example\/generate_204",
      "reason" : "redirect"
    },
    "status" : "available"
  },
  "channelScan" : {
    "data" : {
      "capturedAt" : "2026-03-04T05:05:07Z",
      "currentBand" : "5 GHz",
      "currentChannelInterferenceScore" : 0.42,
      "currentChannelNumber" : 36,
      "didSucceed" : true,
      "passCount" : 3,
      "scannedNetworkCount" : 17,
      "suggestedBand" : "5 GHz",
      "suggestedChannelNumber" : 149
    },
    "errorMessage" : "",
    "status" : "available"
  },
  "connectionPressure" : {
    "data" : {
      "capturedAt" : "2026-03-04T05:05:07Z",
      "closeWaitCount" : 2,
      "establishedCount" : 10,
      "orphanedCount" : 5,
      "quality" : "good",
      "timeWaitCount" : 3,
      "totalCount" : 15
    },
    "errorMessage" : "Connection monitor failed to read TCP states.",
    "status" : "available"
  },
  "exportedAt" : "2026-03-04T05:06:07Z",
  "latency" : {
    "dnsLookup" : {
      "data" : {
        "capturedAt" : "2026-03-04T05:05:07Z",
        "didSucceed" : false,
        "domain" : "example.com",
        "latencyMilliseconds" : 31.75
      },
      "status" : "available"
    },
    "internetPing" : {
      "data" : {
        "capturedAt" : "2026-03-04T05:05:07Z",
        "didSucceed" : true,
        "jitterMilliseconds" : 1.25,
        "latencyMilliseconds" : 20,
        "packetLossPercent" : 12.5
      },
      "status" : "available"
    },
    "routerPing" : {
      "data" : {
        "capturedAt" : "2026-03-04T05:05:07Z",
        "didSucceed" : true,
        "jitterMilliseconds" : 0.4,
        "latencyMilliseconds" : 2.5,
        "packetLossPercent" : 0
      },
      "status" : "available"
    }
  },
  "runtime" : {
    "batteryFriendlyModeEnabled" : false,
    "diagnosticsCapturedAt" : "2026-03-04T05:05:07Z",
    "healthState" : "warning",
    "monitoringEnabled" : true
  },
  "schemaVersion" : 2,
  "speedTest" : {
    "data" : {
      "baselineLatencyMilliseconds" : 11.5,
      "capturedAt" : "2026-03-04T05:05:07Z",
      "didSucceed" : true,
      "downloadBufferbloatGrade" : "B",
      "downloadLoadedLatencyMilliseconds" : 40.125,
      "downloadMbps" : 512.25,
      "uploadBufferbloatGrade" : "C",
      "uploadLoadedLatencyMilliseconds" : 60,
      "uploadMbps" : 48
    },
    "phase" : "completed",
    "status" : "available"
  },
  "wifi" : {
    "data" : {
      "band" : "5 GHz",
      "bssid" : "aa:bb:cc:dd:ee:ff",
      "capturedAt" : "2026-03-04T05:05:07Z",
      "channelNumber" : 36,
      "ipAddress" : "192.168.1.23",
      "linkRateMbps" : 866,
      "noiseFloorDbm" : -92,
      "rssiDbm" : -61,
      "snrDb" : 31,
      "ssid" : "Café Ørsted 📶",
      "vpnActive" : false
    },
    "status" : "available"
  }
})";

Report reportWithEveryOptionalAbsent() {
    return Report{
        .schemaVersion = 2,
        .exportedAt = Date{} - 500ms,
        .app = {.name = QStringLiteral("pelmor")},
        .runtime = {.monitoringEnabled = false,
                    .batteryFriendlyModeEnabled = false,
                    .healthState = QStringLiteral("disconnected")},
        .wifi = {.status = Status::unavailable},
        .latency = {.routerPing = {.status = Status::unavailable},
                    .internetPing = {.status = Status::unavailable},
                    .dnsLookup = {.status = Status::unavailable}},
        .connectionPressure = {.status = Status::unavailable},
        .captivePortal = {.status = Status::unavailable},
        .speedTest = {.phase = QStringLiteral("cancelled"),
                      .status = Status::unavailable,
                      .errorMessage = QStringLiteral("Speed test failed.")},
        .channelScan = {.status = Status::unavailable, .errorMessage = QString()},
    };
}

const char* const sparseDocument = R"({
  "app" : {
    "name" : "pelmor"
  },
  "captivePortal" : {
    "status" : "unavailable"
  },
  "channelScan" : {
    "errorMessage" : "",
    "status" : "unavailable"
  },
  "connectionPressure" : {
    "status" : "unavailable"
  },
  "exportedAt" : "1969-12-31T23:59:59Z",
  "latency" : {
    "dnsLookup" : {
      "status" : "unavailable"
    },
    "internetPing" : {
      "status" : "unavailable"
    },
    "routerPing" : {
      "status" : "unavailable"
    }
  },
  "runtime" : {
    "batteryFriendlyModeEnabled" : false,
    "healthState" : "disconnected",
    "monitoringEnabled" : false
  },
  "schemaVersion" : 2,
  "speedTest" : {
    "errorMessage" : "Speed test failed.",
    "phase" : "cancelled",
    "status" : "unavailable"
  },
  "wifi" : {
    "status" : "unavailable"
  }
})";

class ScopedTimeZone {
public:
    explicit ScopedTimeZone(const char* zone) : variable_("TZ", QByteArray(zone)) { tzset(); }
    ~ScopedTimeZone() { tzset(); }

private:
    ScopedEnvironmentVariable variable_;
};

} // namespace

TEST(DiagnosticsExportReportFormatterTest, WritesEveryPresentValueInKeyOrderExactly) {
    EXPECT_EQ(DiagnosticsExportReportFormatter::prettyJSONString(fullReport()),
              QString::fromUtf8(fullDocument));
}

TEST(DiagnosticsExportReportFormatterTest, LeavesEveryAbsentValueOutAndWritesAnEmptyText) {
    const QString document =
        DiagnosticsExportReportFormatter::prettyJSONString(reportWithEveryOptionalAbsent());
    EXPECT_EQ(document, QString::fromUtf8(sparseDocument));
    EXPECT_FALSE(document.contains(u"null"));
}

TEST(DiagnosticsExportReportFormatterTest, IsTheSameInEveryTimeZoneAndLocale) {
    const QString expected = QString::fromUtf8(fullDocument);
    for (const char* zone : {"UTC", "Asia/Kolkata", "America/St_Johns", "Pacific/Kiritimati"}) {
        SCOPED_TRACE(zone);
        const ScopedTimeZone timeZone(zone);
        EXPECT_EQ(DiagnosticsExportReportFormatter::prettyJSONString(fullReport()), expected);
        EXPECT_EQ(
            DiagnosticsExportReportFormatter::prettyJSONString(reportWithEveryOptionalAbsent()),
            QString::fromUtf8(sparseDocument));
    }
    const ScopedCompiledLocale german("de_DE");
    ASSERT_TRUE(german.isActive()) << "the de_DE locale could not be compiled";
    EXPECT_EQ(DiagnosticsExportReportFormatter::prettyJSONString(fullReport()), expected);
}

TEST(DiagnosticsExportReportFormatterTest, RefusesANumberThatIsNotFinite) {
    struct Case {
        const char* name;
        void (*spoil)(Report&);
        QStringList codingPath;
    };
    const std::vector<Case> cases{
        {"jitter NaN",
         [](Report& report) { report.latency.routerPing.data->jitterMilliseconds = notANumber; },
         {u"latency"_s, u"routerPing"_s, u"data"_s, u"jitterMilliseconds"_s}},
        {"download infinite",
         [](Report& report) { report.speedTest.data->downloadMbps = infinity; },
         {u"speedTest"_s, u"data"_s, u"downloadMbps"_s}},
        {"interference negative infinite",
         [](Report& report) {
             report.channelScan.data->currentChannelInterferenceScore = -infinity;
         },
         {u"channelScan"_s, u"data"_s, u"currentChannelInterferenceScore"_s}},
    };
    for (const Case& testCase : cases) {
        SCOPED_TRACE(testCase.name);
        Report report = fullReport();
        testCase.spoil(report);
        try {
            (void)DiagnosticsExportReportFormatter::prettyJSONString(report);
            ADD_FAILURE() << "no error raised";
        } catch (const JSONEncodingError& error) {
            EXPECT_EQ(error.codingPath(), testCase.codingPath);
        }
    }
}

TEST(DiagnosticsExportReportFormatterTest, FallbackDocumentIsOneLineOfFiftyOneCharacters) {
    const QString fallback = DiagnosticsExportReportFormatter::encodingFailureFallbackJSONString();
    EXPECT_EQ(fallback, u"{ \"error\": \"Unable to encode diagnostics export.\" }"_s);
    EXPECT_EQ(fallback.size(), 51);
}
