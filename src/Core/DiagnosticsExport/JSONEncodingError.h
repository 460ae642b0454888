#pragma once

#include <exception>
#include <string>

#include <QString>
#include <QStringList>

// A value the JSON writer refuses: a number that is not finite, or a text that is not valid
// Unicode. `codingPath` holds the keys leading to the value, outermost first.
class JSONEncodingError final : public std::exception {
public:
    JSONEncodingError(QStringList codingPath, QString debugDescription);

    const QStringList& codingPath() const noexcept { return codingPath_; }
    const QString& debugDescription() const noexcept { return debugDescription_; }

    const char* what() const noexcept override { return what_.c_str(); }

    bool operator==(const JSONEncodingError& other) const {
        return codingPath_ == other.codingPath_ && debugDescription_ == other.debugDescription_;
    }

private:
    QStringList codingPath_;
    QString debugDescription_;
    std::string what_;
};
