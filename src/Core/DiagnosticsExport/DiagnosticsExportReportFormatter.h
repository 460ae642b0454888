#pragma once

#include "Core/DiagnosticsExport/DiagnosticsExportReport.h"
#include "Core/DiagnosticsExport/JSONEncodingError.h"

#include <QString>

// The report's document: pretty-printed JSON with keys sorted in every object, two-space
// indentation, " : " between key and value, instants in UTC to whole seconds and no line break
// at the end.
namespace DiagnosticsExportReportFormatter {

// The whole document. Throws JSONEncodingError for a number that is not finite or a text that
// is not valid Unicode; nothing is clamped or skipped.
QString prettyJSONString(const DiagnosticsExportReport& report);

// The one-line document shown, copied and saved in place of a report that cannot be written.
QString encodingFailureFallbackJSONString();

} // namespace DiagnosticsExportReportFormatter
