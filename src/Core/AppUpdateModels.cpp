#include "Core/AppUpdateModels.h"

#include <utility>

#include <QCborValue>
#include <QJsonDocument>
#include <QJsonObject>
#include <QJsonValue>

namespace {

const QString versionKey = QStringLiteral("version");
const QString buildNumberKey = QStringLiteral("buildNumber");
const QString releaseDateKey = QStringLiteral("releaseDate");
const QString downloadUrlKey = QStringLiteral("downloadUrl");
const QString releaseNotesKey = QStringLiteral("releaseNotes");
const QString minimumSystemVersionKey = QStringLiteral("minimumSystemVersion");

// A value of the wrong type, or a required one missing.
struct DecodingFailure {};

QString requiredText(const QJsonObject& object, const QString& key) {
    const QJsonValue value = object.value(key);
    if (!value.isString()) {
        throw DecodingFailure{};
    }
    return value.toString();
}

std::optional<QString> optionalText(const QJsonObject& object, const QString& key) {
    const QJsonValue value = object.value(key);
    if (value.isUndefined() || value.isNull()) {
        return std::nullopt;
    }
    return requiredText(object, key);
}

// Only a number with an exact 64-bit integer value: no fraction, nothing
// beyond the range, no text.
std::int64_t requiredInteger(const QJsonObject& object, const QString& key) {
    const QJsonValue value = object.value(key);
    const QCborValue number = QCborValue::fromJsonValue(value);
    if (!value.isDouble() || !number.isInteger()) {
        throw DecodingFailure{};
    }
    return number.toInteger();
}

AvailableUpdate decoded(const QJsonObject& object) {
    return {.version = requiredText(object, versionKey),
            .buildNumber = requiredInteger(object, buildNumberKey),
            .releaseDate = requiredText(object, releaseDateKey),
            .downloadUrl = requiredText(object, downloadUrlKey),
            .releaseNotes = optionalText(object, releaseNotesKey),
            .minimumSystemVersion = optionalText(object, minimumSystemVersionKey)};
}

void insertIfPresent(QJsonObject& object, const QString& key, const std::optional<QString>& text) {
    if (text) {
        object.insert(key, *text);
    }
}

} // namespace

std::optional<AvailableUpdate> AvailableUpdate::fromJSON(const QByteArray& json) {
    QJsonParseError error;
    const QJsonDocument document = QJsonDocument::fromJson(json, &error);
    if (error.error != QJsonParseError::NoError || !document.isObject()) {
        return std::nullopt;
    }
    try {
        return decoded(document.object());
    } catch (const DecodingFailure&) {
        return std::nullopt;
    }
}

QByteArray AvailableUpdate::toJSON() const {
    QJsonObject object{{versionKey, version},
                       {buildNumberKey, QJsonValue(static_cast<qint64>(buildNumber))},
                       {releaseDateKey, releaseDate},
                       {downloadUrlKey, downloadUrl}};
    insertIfPresent(object, releaseNotesKey, releaseNotes);
    insertIfPresent(object, minimumSystemVersionKey, minimumSystemVersion);
    return QJsonDocument(object).toJson(QJsonDocument::Compact);
}

UpdateCheckResult::UpdateCheckResult(Kind kind, std::optional<AvailableUpdate> update)
    : kind_(kind), update_(std::move(update)) {}

UpdateCheckResult UpdateCheckResult::updateAvailable(AvailableUpdate update) {
    return UpdateCheckResult(Kind::updateAvailable, std::move(update));
}

UpdateCheckResult UpdateCheckResult::upToDate() {
    return UpdateCheckResult(Kind::upToDate, std::nullopt);
}

UpdateCheckResult UpdateCheckResult::checkFailed() {
    return UpdateCheckResult(Kind::checkFailed, std::nullopt);
}
