#include "Core/DiagnosticsExport/DiagnosticsExportReportFormatter.h"

#include "Core/DiagnosticsExport/SampleDiagnosticsReports.h"
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
#include <QJsonDocument>
#include <QJsonObject>
#include <QJsonParseError>
#include <QString>

using namespace Qt::Literals::StringLiterals;
using namespace std::chrono_literals;
using Report = DiagnosticsExportReport;
using Status = Report::SectionStatus;

namespace {

constexpr double notANumber = std::numeric_limits<double>::quiet_NaN();
constexpr double infinity = std::numeric_limits<double>::infinity();

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

// Every present value in key order; every absent one left out, never written as null.
void expectBothSampleDocuments() {
    EXPECT_EQ(
        DiagnosticsExportReportFormatter::prettyJSONString(SampleDiagnosticsReports::fullReport()),
        QString::fromUtf8(fullDocument));
    EXPECT_EQ(DiagnosticsExportReportFormatter::prettyJSONString(
                  SampleDiagnosticsReports::reportWithEveryOptionalAbsent()),
              QString::fromUtf8(sparseDocument));
}

} // namespace

TEST(DiagnosticsExportReportFormatterTest, WritesBothSampleDocumentsExactlyInEveryZoneAndLocale) {
    for (const char* zone : {"UTC", "Asia/Kolkata", "America/St_Johns", "Pacific/Kiritimati"}) {
        SCOPED_TRACE(zone);
        const ScopedTimeZone timeZone(zone);
        expectBothSampleDocuments();
    }
    const ScopedCompiledLocale german("de_DE");
    ASSERT_TRUE(german.isActive()) << "the de_DE locale could not be compiled";
    expectBothSampleDocuments();
}

TEST(DiagnosticsExportReportFormatterTest, DocumentReadsBackAsJSONWithTheSameEscapedTexts) {
    const QByteArray document =
        DiagnosticsExportReportFormatter::prettyJSONString(SampleDiagnosticsReports::fullReport())
            .toUtf8();
    QJsonParseError error;
    const QJsonObject root = QJsonDocument::fromJson(document, &error).object();
    ASSERT_EQ(error.error, QJsonParseError::NoError) << error.errorString().toStdString();
    EXPECT_EQ(root.value(u"captivePortal"_s)[u"data"_s][u"portalURL"_s].toString(),
              u"http://portal.example/login?next=/home"_s);
    EXPECT_EQ(root.value(u"wifi"_s)[u"data"_s][u"ssid"_s].toString(),
              QString::fromUtf8("Café Ørsted 📶"));
}

// Each escape on its own is the JSON writer's concern; here one text shows the document uses it.
TEST(DiagnosticsExportReportFormatterTest, EscapesTextsInTheDocument) {
    Report report = SampleDiagnosticsReports::reportWithEveryOptionalAbsent();
    report.speedTest.errorMessage = QString::fromUtf8(
        "Failed: \"timeout\" C:\\path\\ line\ttab\u0007 https://a.example/b – 東京");
    const QString expectedLine =
        QString::fromUtf8(R"("errorMessage" : "Failed: \"timeout\" C:\\path\\ line\ttab\u0007 )"
                          R"(https:\/\/a.example\/b – 東京",)");
    const QString document = DiagnosticsExportReportFormatter::prettyJSONString(report);
    EXPECT_TRUE(document.contains(u"\n    "_s + expectedLine + u"\n    \"phase\""_s))
        << document.toStdString();
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
        Report report = SampleDiagnosticsReports::fullReport();
        testCase.spoil(report);
        try {
            (void)DiagnosticsExportReportFormatter::prettyJSONString(report);
            ADD_FAILURE() << "no error raised";
        } catch (const JSONEncodingError& error) {
            EXPECT_EQ(error.codingPath(), testCase.codingPath);
        }
    }
}
