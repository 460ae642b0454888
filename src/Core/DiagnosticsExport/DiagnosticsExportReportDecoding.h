#pragma once

#include "Core/DiagnosticsExport/DiagnosticsExportReport.h"
#include "Core/DiagnosticsExport/JSONDecodingError.h"

#include <QByteArray>

// Reads a report document back, the inverse of the formatter. A key the formatter always writes
// is required; one it may leave out may be missing or null, and the field is then absent; other
// keys are ignored. Instants must have the formatter's form; `status` must be "available" or
// "unavailable". The application writes reports only; this serves checking what it wrote.
namespace DiagnosticsExportReportDecoding {

// Throws JSONDecodingError when the document is not such a report.
DiagnosticsExportReport decode(const QByteArray& document);

} // namespace DiagnosticsExportReportDecoding
