#pragma once

#include "Platform/URLSession/HTTPURLResponse.h"

#include <cstdint>
#include <optional>

#include <QByteArray>

// What one request brought back.
struct URLSessionResult {
    // None when the answer did not come over HTTP (a data: or file: URL).
    std::optional<HTTPURLResponse> httpResponse;
    // Empty when the body was only counted.
    QByteArray body;
    // Body bytes received, whether kept or not.
    std::int64_t bodyByteCount = 0;
    // The body was longer than the bound: the transfer was ended early.
    bool isBodyTruncated = false;
};
