#pragma once

#include "AppState/DiagnosticsExportCollection.h"
#include "Core/CurrentTimeZone.h"
#include "Core/DateProvider.h"
#include "Platform/AppKit/PasteboardWriting.h"
#include "Platform/AppKit/SavePanelPresenting.h"

#include <memory>

#include <QString>

// The export window's copy and save actions. Both use the JSON text the
// collection holds and say how they went in its feedback line; neither
// reports success before it happened.
class DiagnosticsExportActions {
public:
    struct Dependencies {
        std::shared_ptr<PasteboardWriting> pasteboard;
        std::shared_ptr<SavePanelPresenting> savePanel;
        // The time a file name is stamped with before any report exists.
        DateProvider dateProvider = systemDateProvider();
    };

    DiagnosticsExportActions(std::shared_ptr<DiagnosticsExportCollection> collection,
                             Dependencies dependencies);

    // Puts the JSON text on the clipboard.
    void copyReport();
    // Opens a save dialog and returns at once. The chosen file receives the
    // text of this moment, written atomically, whatever the window does
    // meanwhile; the feedback follows when the write has committed or failed.
    void saveReportToFile();
    // "pelmor-diagnostics-" with the report's export time (else now) as local
    // "yyyyMMdd-HHmmss", Gregorian with ASCII digits in every locale, ".json".
    QString defaultFileName() const;

    static QString fileName(Date date, const TimeZoneOffsets& timeZone = currentTimeZone());

private:
    // The text to copy or save, or the guard's feedback when there is none yet.
    std::optional<QString> readyJSONString();

    std::shared_ptr<DiagnosticsExportCollection> collection_;
    Dependencies dependencies_;
};
