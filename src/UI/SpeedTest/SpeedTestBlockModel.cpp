#include "UI/SpeedTest/SpeedTestBlockModel.h"

#include "UI/Formatters/DirectionIsolate.h"
#include "UI/Formatters/PopoverFormatters.h"
#include "UI/Ground/ColorOpacity.h"
#include "UI/Ground/NamedColors.h"

#include <cmath>

namespace {

const QString missingValue = QStringLiteral("\u2014");

QString wholeMilliseconds(double value, const QLocale& locale) {
    return DirectionIsolate::firstStrong(PopoverFormatters::plainNumber(value, 0, 0, locale)) +
           QStringLiteral("ms");
}

QString gradeClause(std::optional<BufferbloatGrade> grade) {
    if (!grade) {
        return QStringLiteral("grade unavailable");
    }
    return QStringLiteral("grade ") + SpeedTestBlockModel::gradeLetter(grade) +
           QStringLiteral(", ") + SpeedTestBlockModel::gradeWording(*grade);
}

} // namespace

namespace SpeedTestBlockModel {

QColor gradeColor(std::optional<BufferbloatGrade> grade) {
    if (!grade) {
        return withOpacity(NamedColors::white, 0.45);
    }
    switch (*grade) {
    case BufferbloatGrade::a:
    case BufferbloatGrade::b:
        return NamedColors::green;
    case BufferbloatGrade::c:
        return NamedColors::orange;
    case BufferbloatGrade::f:
        break;
    }
    return NamedColors::red;
}

QString gradeLetter(std::optional<BufferbloatGrade> grade) {
    return grade ? grade->rawValue() : missingValue;
}

QString gradeWording(BufferbloatGrade grade) {
    switch (grade) {
    case BufferbloatGrade::a:
    case BufferbloatGrade::b:
        return QStringLiteral("minimal bufferbloat");
    case BufferbloatGrade::c:
        return QStringLiteral("noticeable bufferbloat");
    case BufferbloatGrade::f:
        break;
    }
    return QStringLiteral("severe bufferbloat");
}

QString ratioText(std::optional<double> ratio, const QLocale& locale) {
    if (!ratio || !std::isfinite(*ratio)) {
        return QStringLiteral("ratio unavailable");
    }
    return PopoverFormatters::plainNumber(*ratio, 2, 2, locale) + QStringLiteral("x baseline");
}

QString capitalized(const QString& text) {
    QString result;
    result.reserve(text.size());
    bool startsWord = true;
    for (const QChar character : text) {
        result.append(startsWord ? character.toUpper() : character.toLower());
        startsWord = character.isSpace();
    }
    return result;
}

QString insightMessage(const QString& phaseLabel, std::optional<double> baselineLatencyMilliseconds,
                       std::optional<double> loadedLatencyMilliseconds, bool isPhaseFinalized,
                       std::optional<BufferbloatGrade> grade, const QLocale& locale) {
    const QString lead = capitalized(phaseLabel) + QStringLiteral(" lag under load: ");
    if (!baselineLatencyMilliseconds || !loadedLatencyMilliseconds) {
        return lead + (isPhaseFinalized ? QStringLiteral("sample unavailable for this run.")
                                        : QStringLiteral("collecting sample..."));
    }
    return lead + wholeMilliseconds(*baselineLatencyMilliseconds, locale) + QStringLiteral(" -> ") +
           wholeMilliseconds(*loadedLatencyMilliseconds, locale) + QStringLiteral(" (") +
           gradeClause(grade) + QStringLiteral(").");
}

SpeedTestGradeTileContent gradeTile(const QString& title, std::optional<BufferbloatGrade> grade,
                                    std::optional<double> ratio, const QLocale& locale) {
    return {title, gradeLetter(grade), gradeColor(grade), ratioText(ratio, locale)};
}

SpeedTestInsightRowContent insightRow(const QString& phaseLabel, const QString& indicatorSymbolName,
                                      std::optional<double> baselineLatencyMilliseconds,
                                      std::optional<double> loadedLatencyMilliseconds,
                                      bool isPhaseFinalized, std::optional<BufferbloatGrade> grade,
                                      const QLocale& locale) {
    return {indicatorSymbolName, gradeColor(grade),
            insightMessage(phaseLabel, baselineLatencyMilliseconds, loadedLatencyMilliseconds,
                           isPhaseFinalized, grade, locale)};
}

} // namespace SpeedTestBlockModel
