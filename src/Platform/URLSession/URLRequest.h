#pragma once

#include <utility>

#include <QByteArray>
#include <QList>
#include <QUrl>

// One HTTP request as the URL session sends it.
struct URLRequest {
    enum class CachePolicy {
        // The protocol's rules decide whether a cached answer may be used.
        useProtocolCachePolicy,
        // Always asks the server; nothing cached locally is used.
        reloadIgnoringLocalCacheData,
    };

    QUrl url;
    QByteArray httpMethod = "GET";
    QList<std::pair<QByteArray, QByteArray>> headerFields;
    // Implicitly shared: requests built from one body share its bytes.
    QByteArray httpBody;
    CachePolicy cachePolicy = CachePolicy::useProtocolCachePolicy;
    // Seconds the request may stay idle (nothing sent or received) before it
    // fails with `timedOut`; 0, a negative value or NaN sets no limit.
    double timeoutInterval = 60.0;

    // Sets a header field, replacing every earlier value of the same name
    // (names compare without letter case).
    void setValue(const QByteArray& value, const QByteArray& field);
    QByteArray value(const QByteArray& field) const;
};
