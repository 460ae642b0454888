#pragma once

#include <cstdint>
#include <optional>

#include <QByteArray>
#include <QString>

// The update feed's answer: a build the maker offers. JSON keys equal the
// field names; `releaseNotes` and `minimumSystemVersion` are carried, never
// acted on.
struct AvailableUpdate {
    QString version;
    std::int64_t buildNumber = 0;
    QString releaseDate; // verbatim, never parsed
    QString downloadUrl;
    std::optional<QString> releaseNotes;
    std::optional<QString> minimumSystemVersion;

    // Decodes a JSON object. The four required keys must be present with
    // their types (the build number an integral JSON number within 64 bits);
    // an optional key may be missing or null; other keys are ignored. None
    // for anything else.
    static std::optional<AvailableUpdate> fromJSON(const QByteArray& json);

    // The same keys, an absent optional left out.
    QByteArray toJSON() const;

    bool operator==(const AvailableUpdate&) const = default;
};

// What one update check found.
class UpdateCheckResult {
public:
    enum class Kind { updateAvailable, upToDate, checkFailed };

    static UpdateCheckResult updateAvailable(AvailableUpdate update);
    static UpdateCheckResult upToDate();
    static UpdateCheckResult checkFailed();

    Kind kind() const { return kind_; }
    // The update found; none unless the kind is `updateAvailable`.
    const std::optional<AvailableUpdate>& update() const { return update_; }

    bool operator==(const UpdateCheckResult&) const = default;

private:
    UpdateCheckResult(Kind kind, std::optional<AvailableUpdate> update);

    Kind kind_;
    std::optional<AvailableUpdate> update_;
};
