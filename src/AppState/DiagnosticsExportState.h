#pragma once

#include "AppState/CollectionStage.h"
#include "AppState/DiagnosticsExportMessageColor.h"
#include "Core/DiagnosticsExport/DiagnosticsExportReport.h"

#include <optional>
#include <set>

#include <QString>

// What the export window shows: the collection's progress, the last report
// with its JSON text, and the feedback line of copy and save.
struct DiagnosticsExportState {
    std::optional<QString> actionMessage;
    DiagnosticsExportMessageColor actionMessageColor = DiagnosticsExportMessageColor::secondaryText;
    std::optional<DiagnosticsExportReport> collectedReport;
    // The report's JSON text, or the one-line fallback when it could not be written.
    std::optional<QString> collectedReportJSONString;
    double collectionProgress = 0.0;
    QString collectionMessage = QStringLiteral("Collecting metrics...");
    std::set<CollectionStage> completedStages;
    bool isCollectingReport = false;

    // The result panels show only while both the report and its text are held.
    bool hasResult() const { return collectedReport.has_value() && collectedReportJSONString; }

    bool operator==(const DiagnosticsExportState&) const = default;
};
