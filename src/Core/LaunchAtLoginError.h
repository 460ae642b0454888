#pragma once

#include <QString>

// A refused registration or removal of the login item.
class LaunchAtLoginError {
public:
    explicit LaunchAtLoginError(QString underlyingDescription)
        : underlyingDescription_(std::move(underlyingDescription)) {}

    // What the user is shown.
    QString errorDescription() const {
        return QStringLiteral("Failed to update login item: ") + underlyingDescription_;
    }
    const QString& underlyingDescription() const { return underlyingDescription_; }

    bool operator==(const LaunchAtLoginError&) const = default;

private:
    QString underlyingDescription_;
};
