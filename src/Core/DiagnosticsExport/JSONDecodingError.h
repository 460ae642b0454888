#pragma once

#include <exception>
#include <string>

#include <QString>
#include <QStringList>

// A document that does not read back as a report: not JSON, a required key missing, a value of
// the wrong JSON kind, or a text that is none of its field's texts. `codingPath` holds the keys
// leading to the value, outermost first.
class JSONDecodingError final : public std::exception {
public:
    JSONDecodingError(QStringList codingPath, QString debugDescription);

    const QStringList& codingPath() const noexcept { return codingPath_; }
    const QString& debugDescription() const noexcept { return debugDescription_; }

    const char* what() const noexcept override { return what_.c_str(); }

    bool operator==(const JSONDecodingError& other) const {
        return codingPath_ == other.codingPath_ && debugDescription_ == other.debugDescription_;
    }

private:
    QStringList codingPath_;
    QString debugDescription_;
    std::string what_;
};
