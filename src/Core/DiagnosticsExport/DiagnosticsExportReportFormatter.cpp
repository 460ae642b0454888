#include "Core/DiagnosticsExport/DiagnosticsExportReportFormatter.h"

#include "Core/DiagnosticsExport/DiagnosticsExportReportEncoding.h"
#include "Core/DiagnosticsExport/PrettyJSONWriter.h"

namespace DiagnosticsExportReportFormatter {

QString prettyJSONString(const DiagnosticsExportReport& report) {
    return QString::fromUtf8(
        PrettyJSONWriter::write(DiagnosticsExportReportEncoding::encoded(report)));
}

QString encodingFailureFallbackJSONString() {
    return QStringLiteral(R"({ "error": "Unable to encode diagnostics export." })");
}

} // namespace DiagnosticsExportReportFormatter
