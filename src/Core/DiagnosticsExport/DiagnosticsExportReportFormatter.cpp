#include "Core/DiagnosticsExport/DiagnosticsExportReportFormatter.h"

namespace DiagnosticsExportReportFormatter {

QString prettyJSONString(const DiagnosticsExportReport&) {
    return encodingFailureFallbackJSONString();
}

QString encodingFailureFallbackJSONString() {
    return QStringLiteral(R"({ "error": "Unable to encode diagnostics export." })");
}

} // namespace DiagnosticsExportReportFormatter
