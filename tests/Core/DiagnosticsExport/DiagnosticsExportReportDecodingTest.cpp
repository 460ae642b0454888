#include "Core/DiagnosticsExport/DiagnosticsExportReportDecoding.h"

#include "Core/DiagnosticsExport/DiagnosticsExportReportFormatter.h"
#include "Core/DiagnosticsExport/SampleDiagnosticsReports.h"
#include "Support/QStringPrinter.h"

#include <chrono>
#include <gtest/gtest.h>
#include <vector>

#include <QByteArray>
#include <QString>
#include <QStringList>

using namespace Qt::Literals::StringLiterals;
using namespace std::chrono;
using Report = DiagnosticsExportReport;

namespace {

QByteArray written(const Report& report) {
    return DiagnosticsExportReportFormatter::prettyJSONString(report).toUtf8();
}

// The document keeps whole seconds only.
Report withInstantsFloored(Report report) {
    const auto floorInstant = [](Date& instant) { instant = floor<seconds>(instant); };
    floorInstant(report.exportedAt);
    if (report.runtime.diagnosticsCapturedAt) {
        floorInstant(*report.runtime.diagnosticsCapturedAt);
    }
    return report;
}

// The sparse sample with one member of its text replaced.
QByteArray sparseDocumentWith(const char* original, const char* replacement) {
    QByteArray document = written(SampleDiagnosticsReports::reportWithEveryOptionalAbsent());
    EXPECT_TRUE(document.contains(original)) << original;
    return document.replace(original, replacement);
}

} // namespace

TEST(DiagnosticsExportReportDecodingTest, ReadsBackWhatTheFormatterWrote) {
    for (const Report& report : {SampleDiagnosticsReports::fullReport(),
                                 SampleDiagnosticsReports::reportWithEveryOptionalAbsent()}) {
        EXPECT_EQ(DiagnosticsExportReportDecoding::decode(written(report)),
                  withInstantsFloored(report));
    }
}

TEST(DiagnosticsExportReportDecodingTest, TakesNullOrMissingOptionalsAsAbsentAndIgnoresOtherKeys) {
    const Report expected =
        withInstantsFloored(SampleDiagnosticsReports::reportWithEveryOptionalAbsent());
    Report withoutErrorText = expected;
    withoutErrorText.channelScan.errorMessage.reset();
    EXPECT_EQ(DiagnosticsExportReportDecoding::decode(
                  sparseDocumentWith(R"("errorMessage" : "",)", R"("errorMessage" : null,)")),
              withoutErrorText);
    EXPECT_EQ(
        DiagnosticsExportReportDecoding::decode(sparseDocumentWith(R"("errorMessage" : "",)", "")),
        withoutErrorText);
    EXPECT_EQ(DiagnosticsExportReportDecoding::decode(sparseDocumentWith(
                  R"("schemaVersion" : 2,)", R"("schemaVersion" : 2, "extra" : [1, null],)")),
              expected);
}

TEST(DiagnosticsExportReportDecodingTest, RefusesMissingRequiredKeysWrongKindsAndUnknownStatus) {
    struct Case {
        const char* name;
        QByteArray document;
        QStringList codingPath;
    };
    const std::vector<Case> cases{
        {"not JSON", "{ \"app\" : ", {}},
        {"an array", "[]", {}},
        {"schema version missing",
         sparseDocumentWith(R"("schemaVersion" : 2,)", ""),
         {u"schemaVersion"_s}},
        {"schema version a real",
         sparseDocumentWith(R"("schemaVersion" : 2,)", R"("schemaVersion" : 2.5,)"),
         {u"schemaVersion"_s}},
        {"required null",
         sparseDocumentWith(R"("name" : "pelmor")", R"("name" : null)"),
         {u"app"_s, u"name"_s}},
        {"flag as text",
         sparseDocumentWith(R"("monitoringEnabled" : false)", R"("monitoringEnabled" : "false")"),
         {u"runtime"_s, u"monitoringEnabled"_s}},
        {"unknown status",
         sparseDocumentWith(R"("wifi" : {
    "status" : "unavailable")",
                            R"("wifi" : {
    "status" : "Available")"),
         {u"wifi"_s, u"status"_s}},
        {"instant with a fraction",
         sparseDocumentWith("1969-12-31T23:59:59Z", "1969-12-31T23:59:59.5Z"),
         {u"exportedAt"_s}},
        {"impossible date",
         sparseDocumentWith("1969-12-31T23:59:59Z", "1969-02-30T23:59:59Z"),
         {u"exportedAt"_s}},
        {"section not an object",
         sparseDocumentWith(R"("routerPing" : {
      "status" : "unavailable"
    })",
                            R"("routerPing" : "unavailable")"),
         {u"latency"_s, u"routerPing"_s}},
        {"optional of the wrong kind",
         sparseDocumentWith(R"("errorMessage" : "Speed test failed.")", R"("errorMessage" : 3)"),
         {u"speedTest"_s, u"errorMessage"_s}},
    };
    for (const Case& testCase : cases) {
        SCOPED_TRACE(testCase.name);
        try {
            (void)DiagnosticsExportReportDecoding::decode(testCase.document);
            ADD_FAILURE() << "no error raised";
        } catch (const JSONDecodingError& error) {
            EXPECT_EQ(error.codingPath(), testCase.codingPath);
        }
    }
}
