#pragma once

#include <optional>
#include <utility>

#include <QByteArray>
#include <QList>
#include <QUrl>

// The status line and header fields of an HTTP answer.
struct HTTPURLResponse {
    QUrl url;
    int statusCode = 0;
    QList<std::pair<QByteArray, QByteArray>> headerFields;

    // The first value of a header field (names compare without letter case).
    std::optional<QByteArray> value(const QByteArray& field) const;

    bool operator==(const HTTPURLResponse&) const = default;
};
