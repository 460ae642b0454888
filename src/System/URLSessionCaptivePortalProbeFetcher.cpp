#include "System/URLSessionCaptivePortalProbeFetcher.h"

#include "System/CaptivePortalProbeFetcherError.h"

namespace {

bool isContinuationByte(char byte) {
    return (static_cast<unsigned char>(byte) & 0xC0) == 0x80;
}

// How many bytes the UTF-8 sequence this byte starts has; 0 when it starts none.
qsizetype sequenceLength(char byte) {
    const auto value = static_cast<unsigned char>(byte);
    if ((value & 0xE0) == 0xC0) {
        return 2;
    }
    if ((value & 0xF0) == 0xE0) {
        return 3;
    }
    if ((value & 0xF8) == 0xF0) {
        return 4;
    }
    return 0;
}

// A page cut at the read limit loses the UTF-8 character the cut split, so
// that only text the page really holds is judged.
void dropSplitCharacter(QByteArray& body) {
    qsizetype start = body.size();
    while (start > 0 && body.size() - start < 3 && isContinuationByte(body[start - 1])) {
        --start;
    }
    if (start == 0) {
        return;
    }
    const qsizetype lead = start - 1;
    if (body.size() - lead < sequenceLength(body[lead])) {
        body.truncate(lead);
    }
}

} // namespace

URLSessionCaptivePortalProbeFetcher::URLSessionCaptivePortalProbeFetcher(URLSession session)
    : session_(std::move(session)) {}

Async::Task<std::pair<QByteArray, HTTPURLResponse>>
URLSessionCaptivePortalProbeFetcher::fetch(URLRequest request) {
    URLSessionTaskOptions options;
    options.followsRedirects = false;
    options.bodyHandling = URLSessionTaskOptions::BodyHandling::keep;
    options.maximumBodyBytes = maximumBodyBytes;
    options.resourceTimeout = request.timeoutInterval;
    auto result = co_await session_.perform(std::move(request), options);
    if (!result.httpResponse) {
        throw CaptivePortalProbeFetcherError(CaptivePortalProbeFetcherError::nonHTTPResponse);
    }
    if (result.isBodyTruncated) {
        dropSplitCharacter(result.body);
    }
    co_return std::pair{std::move(result.body), std::move(*result.httpResponse)};
}
