#pragma once

#include "Core/DiagnosticsExport/DiagnosticsExportInput.h"
#include "Core/DiagnosticsExport/DiagnosticsExportReport.h"

// Turns a still picture of the monitors into the report. Pure: it measures, reads and writes
// nothing and cannot fail. A section is available exactly when its source value exists; a number
// that is not finite, or a sum that would overflow, is left out rather than exported.
namespace DiagnosticsExportReportBuilder {

DiagnosticsExportReport build(const DiagnosticsExportInput& input);

} // namespace DiagnosticsExportReportBuilder
