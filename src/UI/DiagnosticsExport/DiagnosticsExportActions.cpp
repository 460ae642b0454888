#include "UI/DiagnosticsExport/DiagnosticsExportActions.h"

#include "Platform/Foundation/AtomicFile.h"

#include <QFileInfo>

DiagnosticsExportActions::DiagnosticsExportActions(
    std::shared_ptr<DiagnosticsExportCollection> collection, Dependencies dependencies)
    : collection_(std::move(collection)), dependencies_(std::move(dependencies)) {}

std::optional<QString> DiagnosticsExportActions::readyJSONString() {
    // A copy: setting the feedback line replaces the state.
    std::optional<QString> json = collection_->state().value().collectedReportJSONString;
    if (!json) {
        collection_->setActionMessage(DiagnosticsExportCollection::stillCollectingMessage(),
                                      DiagnosticsExportMessageColor::secondaryText);
    }
    return json;
}

void DiagnosticsExportActions::copyReport() {
    const std::optional<QString> json = readyJSONString();
    if (!json) {
        return;
    }
    dependencies_.pasteboard->clearContents();
    if (dependencies_.pasteboard->setString(*json)) {
        collection_->setActionMessage(QStringLiteral("Diagnostics report copied to clipboard."),
                                      DiagnosticsExportMessageColor::success);
    } else {
        collection_->setActionMessage(QStringLiteral("Unable to copy diagnostics report."),
                                      DiagnosticsExportMessageColor::error);
    }
}

void DiagnosticsExportActions::saveReportToFile() {
    const std::optional<QString> json = readyJSONString();
    if (!json) {
        return;
    }
    const SavePanelConfiguration configuration{QStringLiteral("Save Diagnostics Report"),
                                               defaultFileName(), QStringLiteral("JSON (*.json)"),
                                               QStringLiteral("json"), true};
    // The file written is the one the dialog asked about, by its exact name
    // (the dialog gives it the extension). The window may be gone when the
    // dialog closes: the file is still written, and the feedback goes nowhere.
    std::weak_ptr<DiagnosticsExportCollection> weakCollection = collection_;
    dependencies_.savePanel->begin(
        configuration, [weakCollection, bytes = json->toUtf8()](std::optional<QString> path) {
            if (!path) {
                return;
            }
            const bool saved = AtomicFile::write(*path, bytes);
            const auto collection = weakCollection.lock();
            if (!collection) {
                return;
            }
            if (saved) {
                collection->setActionMessage(QStringLiteral("Diagnostics report saved to ") +
                                                 QFileInfo(*path).fileName() + QStringLiteral("."),
                                             DiagnosticsExportMessageColor::success);
            } else {
                collection->setActionMessage(QStringLiteral("Failed to save diagnostics report."),
                                             DiagnosticsExportMessageColor::error);
            }
        });
}

QString DiagnosticsExportActions::defaultFileName() const {
    const auto& report = collection_->state().value().collectedReport;
    return fileName(report ? report->exportedAt : dependencies_.dateProvider());
}

QString DiagnosticsExportActions::fileName(Date date, const TimeZoneOffsets& timeZone) {
    // The format is read in the C locale: Gregorian calendar, ASCII digits.
    const QString stamp = timeZone.wallClock(date).toString(QStringLiteral("yyyyMMdd-HHmmss"));
    return QStringLiteral("pelmor-diagnostics-") + stamp + QStringLiteral(".json");
}
