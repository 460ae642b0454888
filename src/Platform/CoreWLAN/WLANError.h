#pragma once

#include <exception>

#include <QByteArray>
#include <QString>

// Why the Wi-Fi client could not do what it was asked, in words fit for the user.
class WLANError final : public std::exception {
public:
    explicit WLANError(QString description);

    const QString& description() const noexcept { return description_; }
    const char* what() const noexcept override { return utf8_.constData(); }

    bool operator==(const WLANError& other) const { return description_ == other.description_; }

private:
    QString description_;
    QByteArray utf8_;
};
