#pragma once

#include <exception>

#include <QByteArray>
#include <QString>

// Why the URL session brought back no answer: a failure of the transport, not
// an HTTP status (every status is an answer).
class URLError final : public std::exception {
public:
    enum Code {
        unknown,
        cancelled,
        timedOut,
        cannotFindHost,
        cannotConnectToHost,
        networkConnectionLost,
        secureConnectionFailed,
        unsupportedURL,
        badServerResponse,
        tooManyRedirects,
    };

    URLError(Code code, QString description);

    Code code() const noexcept { return code_; }
    const QString& description() const noexcept { return description_; }
    const char* what() const noexcept override { return whatText_.constData(); }

    bool operator==(const URLError& other) const {
        return code_ == other.code_ && description_ == other.description_;
    }

private:
    Code code_;
    QString description_;
    QByteArray whatText_;
};
