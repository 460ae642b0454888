#pragma once

#include "Core/DiagnosticsExport/DiagnosticsExportReport.h"

#include <QString>

// A report exported at `exportedAt` whose every section is unavailable.
inline DiagnosticsExportReport unavailableDiagnosticsReport(Date exportedAt,
                                                            const QString& healthState) {
    const auto unavailable = DiagnosticsExportReport::SectionStatus::unavailable;
    return DiagnosticsExportReport{2,
                                   exportedAt,
                                   {QStringLiteral("pelmor")},
                                   {true, true, healthState},
                                   {unavailable},
                                   {{unavailable}, {unavailable}, {unavailable}},
                                   {unavailable},
                                   {unavailable},
                                   {QStringLiteral("idle"), unavailable},
                                   {unavailable}};
}
