#pragma once

#include "Core/DomainModels.h"
#include "UI/SpeedTest/SpeedTestGradeTileContent.h"
#include "UI/SpeedTest/SpeedTestInsightRowContent.h"

#include <optional>

#include <QColor>
#include <QLocale>
#include <QString>

// The texts and colours of the window's grade tiles and insight rows. Numbers
// follow `locale`.
namespace SpeedTestBlockModel {

// Green for A and B, orange for C, red for F, white at 0.45 without a grade.
QColor gradeColor(std::optional<BufferbloatGrade> grade);
// "A", "B", "C" or "F"; "—" without a grade.
QString gradeLetter(std::optional<BufferbloatGrade> grade);
// "minimal bufferbloat" for A and B, "noticeable" for C, "severe" for F.
QString gradeWording(BufferbloatGrade grade);

// "1.50x baseline", or "ratio unavailable".
QString ratioText(std::optional<double> ratio, const QLocale& locale = QLocale());

// The first letter of each word upper case, the others lower case.
QString capitalized(const QString& text);

// "Download lag under load: 18ms -> 43ms (grade B, minimal bufferbloat).",
// or, while a latency is missing, that the sample is still being collected
// or, once the phase is over, unavailable.
QString insightMessage(const QString& phaseLabel, std::optional<double> baselineLatencyMilliseconds,
                       std::optional<double> loadedLatencyMilliseconds, bool isPhaseFinalized,
                       std::optional<BufferbloatGrade> grade, const QLocale& locale = QLocale());

SpeedTestGradeTileContent gradeTile(const QString& title, std::optional<BufferbloatGrade> grade,
                                    std::optional<double> ratio, const QLocale& locale = QLocale());

SpeedTestInsightRowContent insightRow(const QString& phaseLabel, const QString& indicatorSymbolName,
                                      std::optional<double> baselineLatencyMilliseconds,
                                      std::optional<double> loadedLatencyMilliseconds,
                                      bool isPhaseFinalized, std::optional<BufferbloatGrade> grade,
                                      const QLocale& locale = QLocale());

} // namespace SpeedTestBlockModel
