#include "Platform/URLSession/URLSessionTransfer.h"

#include <algorithm>
#include <cmath>
#include <limits>

#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QNetworkRequest>

namespace {

constexpr double nanosecondsPerSecond = 1'000'000'000.0;

// Whole nanoseconds of a positive, finite interval; none when it sets no limit.
std::optional<std::uint64_t> nanoseconds(double seconds) {
    if (!(seconds > 0)) {
        return std::nullopt;
    }
    const double count = seconds * nanosecondsPerSecond;
    constexpr auto largest = std::numeric_limits<std::uint64_t>::max();
    if (!(count < static_cast<double>(largest))) {
        return largest;
    }
    return std::max<std::uint64_t>(1, static_cast<std::uint64_t>(count));
}

// Failures below HTTP: no answer came, or it broke off. An HTTP status the
// server sent (Qt reports 4xx and 5xx as errors too) is an answer.
bool isTransportFailure(QNetworkReply::NetworkError error, bool hasStatus) {
    if (error == QNetworkReply::NoError) {
        return false;
    }
    if (!hasStatus) {
        return true;
    }
    const bool isBelowHTTP = error < QNetworkReply::ContentAccessDenied &&
                             error != QNetworkReply::ProxyAuthenticationRequiredError;
    return isBelowHTTP || error == QNetworkReply::ProtocolFailure;
}

URLError::Code urlErrorCode(QNetworkReply::NetworkError error) {
    switch (error) {
    case QNetworkReply::OperationCanceledError:
        return URLError::cancelled;
    case QNetworkReply::TimeoutError:
    case QNetworkReply::ProxyTimeoutError:
        return URLError::timedOut;
    case QNetworkReply::HostNotFoundError:
    case QNetworkReply::ProxyNotFoundError:
        return URLError::cannotFindHost;
    case QNetworkReply::ConnectionRefusedError:
    case QNetworkReply::ProxyConnectionRefusedError:
        return URLError::cannotConnectToHost;
    case QNetworkReply::RemoteHostClosedError:
    case QNetworkReply::ProxyConnectionClosedError:
    case QNetworkReply::TemporaryNetworkFailureError:
    case QNetworkReply::NetworkSessionFailedError:
        return URLError::networkConnectionLost;
    case QNetworkReply::SslHandshakeFailedError:
        return URLError::secureConnectionFailed;
    case QNetworkReply::TooManyRedirectsError:
        return URLError::tooManyRedirects;
    case QNetworkReply::ProtocolUnknownError:
        return URLError::unsupportedURL;
    case QNetworkReply::ProtocolFailure:
        return URLError::badServerResponse;
    default:
        return URLError::unknown;
    }
}

HTTPURLResponse httpResponse(const QNetworkReply& reply, int statusCode) {
    HTTPURLResponse response{reply.url(), statusCode, {}};
    for (const auto& [name, value] : reply.rawHeaderPairs()) {
        response.headerFields.append({name, value});
    }
    return response;
}

} // namespace

URLSessionTransfer::URLSessionTransfer(URLRequest request, URLSessionTaskOptions options,
                                       Async::TimerService& timers)
    : request_(std::move(request)), options_(options), timers_(&timers) {}

void URLSessionTransfer::start(QNetworkAccessManager& manager,
                               Async::Continuation<URLSessionResult> continuation) {
    continuation_ = std::move(continuation);
    reply_ = send(manager);
    observeReply();
    startTimers();
}

QNetworkRequest URLSessionTransfer::makeNetworkRequest() const {
    QNetworkRequest request(request_.url);
    for (const auto& [name, value] : request_.headerFields) {
        request.setRawHeader(name, value);
    }
    if (request_.cachePolicy == URLRequest::CachePolicy::reloadIgnoringLocalCacheData) {
        request.setAttribute(QNetworkRequest::CacheLoadControlAttribute,
                             QNetworkRequest::AlwaysNetwork);
    }
    if (!options_.followsRedirects) {
        request.setAttribute(QNetworkRequest::RedirectPolicyAttribute,
                             QNetworkRequest::ManualRedirectPolicy);
    }
    // Time-outs are ours: measured on the task runtime's timers.
    request.setTransferTimeout(0);
    return request;
}

QNetworkReply* URLSessionTransfer::send(QNetworkAccessManager& manager) const {
    const QNetworkRequest request = makeNetworkRequest();
    if (request_.httpMethod == "GET" && request_.httpBody.isEmpty()) {
        return manager.get(request);
    }
    if (request_.httpMethod == "POST") {
        return manager.post(request, request_.httpBody);
    }
    return manager.sendCustomRequest(request, request_.httpMethod, request_.httpBody);
}

void URLSessionTransfer::observeReply() {
    // Each handler marks that a signal of the reply is being handled.
    const auto handle = [self = shared_from_this()](void (URLSessionTransfer::*handler)()) {
        return [self, handler] {
            ++self->replySignalDepth_;
            (self.get()->*handler)();
            --self->replySignalDepth_;
        };
    };
    connections_ = {
        QObject::connect(reply_, &QNetworkReply::readyRead, reply_,
                         handle(&URLSessionTransfer::readBody)),
        QObject::connect(reply_, &QNetworkReply::uploadProgress, reply_,
                         handle(&URLSessionTransfer::rearmIdleTimer)),
        QObject::connect(reply_, &QNetworkReply::metaDataChanged, reply_,
                         handle(&URLSessionTransfer::rearmIdleTimer)),
        QObject::connect(reply_, &QNetworkReply::finished, reply_,
                         handle(&URLSessionTransfer::replyFinished)),
        QObject::connect(reply_, &QObject::destroyed, reply_,
                         handle(&URLSessionTransfer::replyDestroyed)),
    };
}

void URLSessionTransfer::startTimers() {
    if (const auto limit = nanoseconds(options_.resourceTimeout.value_or(0))) {
        deadlineTimer_ = timers_->schedule(*limit, [self = shared_from_this()] {
            self->deadlineTimer_.reset();
            self->fail(URLError(URLError::timedOut, QStringLiteral("The request timed out.")));
        });
    }
    rearmIdleTimer();
}

void URLSessionTransfer::rearmIdleTimer() {
    const auto limit = nanoseconds(request_.timeoutInterval);
    if (hasEnded_ || !limit) {
        return;
    }
    if (idleTimer_) {
        timers_->cancel(*idleTimer_);
    }
    idleTimer_ = timers_->schedule(*limit, [self = shared_from_this()] {
        self->idleTimer_.reset();
        self->fail(URLError(URLError::timedOut, QStringLiteral("The request timed out.")));
    });
}

void URLSessionTransfer::readBody() {
    if (hasEnded_) {
        return;
    }
    rearmIdleTimer();
    if (options_.bodyHandling == URLSessionTaskOptions::BodyHandling::countOnly) {
        result_.bodyByteCount += reply_->skip(reply_->bytesAvailable());
        return;
    }
    const std::int64_t limit =
        options_.maximumBodyBytes.value_or(std::numeric_limits<std::int64_t>::max() - 1);
    // One byte beyond the bound tells a body that is exactly at the bound from a longer one.
    const std::int64_t wanted =
        std::min<std::int64_t>(reply_->bytesAvailable(), limit - result_.body.size() + 1);
    if (!keepBody(reply_->read(wanted))) {
        succeed();
    }
}

// Appends a chunk; false once the body has gone past its bound.
bool URLSessionTransfer::keepBody(QByteArray chunk) {
    result_.bodyByteCount += chunk.size();
    result_.body += chunk;
    const auto limit = options_.maximumBodyBytes;
    if (!limit || result_.body.size() <= *limit) {
        return true;
    }
    result_.body.truncate(static_cast<qsizetype>(std::max<std::int64_t>(0, *limit)));
    result_.isBodyTruncated = true;
    const QVariant status = reply_->attribute(QNetworkRequest::HttpStatusCodeAttribute);
    if (status.isValid()) {
        result_.httpResponse = httpResponse(*reply_, status.toInt());
    }
    return false;
}

void URLSessionTransfer::replyFinished() {
    if (hasEnded_) {
        return;
    }
    const QVariant status = reply_->attribute(QNetworkRequest::HttpStatusCodeAttribute);
    const auto error = reply_->error();
    if (isTransportFailure(error, status.isValid())) {
        fail(URLError(urlErrorCode(error), reply_->errorString()));
        return;
    }
    readBody();
    if (hasEnded_) {
        return;
    }
    if (status.isValid()) {
        result_.httpResponse = httpResponse(*reply_, status.toInt());
    }
    succeed();
}

void URLSessionTransfer::replyDestroyed() {
    reply_ = nullptr;
    fail(URLError(URLError::cancelled, QStringLiteral("The URL session went away.")));
}

void URLSessionTransfer::cancel() {
    fail(URLError(URLError::cancelled, QStringLiteral("The request was cancelled.")));
}

void URLSessionTransfer::release() {
    stop();
    continuation_.reset();
}

void URLSessionTransfer::succeed() {
    if (hasEnded_) {
        return;
    }
    stop();
    if (continuation_) {
        std::exchange(continuation_, std::nullopt)->resume(std::move(result_));
    }
}

void URLSessionTransfer::fail(URLError error) {
    if (hasEnded_) {
        return;
    }
    stop();
    if (continuation_) {
        std::exchange(continuation_, std::nullopt)
            ->resumeThrowing(std::make_exception_ptr(std::move(error)));
    }
}

// Stops the timers and the reply: nothing of this transfer runs afterwards.
void URLSessionTransfer::stop() {
    hasEnded_ = true;
    for (auto* timer : {&idleTimer_, &deadlineTimer_}) {
        if (*timer) {
            timers_->cancel(**timer);
            timer->reset();
        }
    }
    if (reply_ == nullptr) {
        return;
    }
    QNetworkReply* reply = std::exchange(reply_, nullptr);
    // Drops the connections that keep this transfer alive.
    for (const auto& connection : std::exchange(connections_, {})) {
        QObject::disconnect(connection);
    }
    // Deleting a reply ends its request, and drops the events still queued for
    // it (an error from the network thread that crossed an abort would
    // otherwise be reported twice). Inside one of its signals it can only be
    // aborted and deleted later.
    if (replySignalDepth_ == 0) {
        delete reply;
        return;
    }
    if (reply->isRunning()) {
        reply->abort();
    }
    reply->deleteLater();
}
