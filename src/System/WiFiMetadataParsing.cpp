#include "System/WiFiMetadataParsing.h"

#include <algorithm>
#include <stdexcept>

#include <QRegularExpression>
#include <QStringList>

namespace {

bool isValidIPv4Address(const QString& text) {
    const QStringList pieces = text.split(QLatin1Char('.'));
    if (pieces.size() != 4) {
        return false;
    }
    return std::all_of(pieces.begin(), pieces.end(), [](const QString& piece) {
        bool isNumber = false;
        const int value = piece.toInt(&isNumber);
        return !piece.isEmpty() && isNumber && value >= 0 && value <= 255;
    });
}

QString namePart(const QString& line) {
    const QStringList pieces = line.split(QLatin1Char(':'), Qt::SkipEmptyParts);
    return pieces.isEmpty() ? QString() : pieces.first().trimmed();
}

} // namespace

namespace WiFiMetadataParsing {

QString parseInterfaceIPv4Address(const QString& output) {
    QString trimmed = output.trimmed();
    if (trimmed.isEmpty()) {
        throw std::invalid_argument("ipconfig printed no IPv4 address");
    }
    if (!isValidIPv4Address(trimmed)) {
        throw std::invalid_argument("ipconfig printed no valid IPv4 address");
    }
    return trimmed;
}

bool detectVPNInterface(const QString& output) {
    static const QRegularExpression lineBreaks(
        QStringLiteral("[\\n\\x{000B}\\f\\r\\x{0085}\\x{2028}\\x{2029}]"));
    const QStringList lines = output.split(lineBreaks, Qt::SkipEmptyParts);
    return std::any_of(lines.begin(), lines.end(), [](const QString& line) {
        const QString name = namePart(line);
        return name.startsWith(QLatin1String("utun")) || name.startsWith(QLatin1String("ipsec"));
    });
}

} // namespace WiFiMetadataParsing
