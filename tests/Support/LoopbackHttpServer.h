#pragma once

#include <chrono>
#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <utility>
#include <vector>

#include <QByteArray>
#include <QHash>
#include <QList>
#include <QString>
#include <QTcpSocket>
#include <QUrl>

// An HTTP/1.1 server on 127.0.0.1 (a port of its own) for tests and
// benchmarks. Answers are scripted per path: status, headers, body, a delay
// before answering, a paced body, a dropped connection. Request bodies are
// read and counted; every request is recorded. Keeps connections alive.
// Runs on the event loop of the thread that creates it; paths without a
// script are answered 404. Over https it presents a self-signed certificate
// for 127.0.0.1, which the whole process trusts while the server lives.
class LoopbackHttpServer {
public:
    enum class Scheme { http, https };

    using HeaderFields = QList<std::pair<QByteArray, QByteArray>>;

    // A delay that never ends: the request is never answered.
    static constexpr std::chrono::milliseconds never = std::chrono::milliseconds::max();

    // One scripted answer; the modifiers return the changed answer, so they chain:
    // Answer(302, "moved").header("Location", "/login").delayed(50ms).
    struct Answer {
        int status = 200;
        // "Content-Length" is added from the body.
        HeaderFields headers;
        QByteArray body;
        // From the request's last byte to the status line.
        std::chrono::milliseconds delay{0};
        // Paces the body; 0 sends it as fast as the connection takes it.
        std::int64_t bytesPerSecond = 0;
        // Bytes of the answer (status line and headers included) after which
        // the connection is closed; 0 closes it without answering.
        std::optional<std::int64_t> dropAfterBytes;

        explicit Answer(int status = 200, QByteArray body = {});

        Answer header(QByteArray name, QByteArray value) &&;
        Answer delayed(std::chrono::milliseconds delay) &&;
        // Never answers: the connection stays open until the client gives up.
        Answer hanging() &&;
        Answer paced(std::int64_t bytesPerSecond) &&;
        Answer droppedAfter(std::int64_t bytes) &&;
    };

    struct Request {
        QByteArray method;
        QString path;
        QString query;
        HeaderFields headers;
        std::int64_t bodySize = 0;

        // The first value of a header field (names compare without letter case).
        std::optional<QByteArray> header(const QByteArray& name) const;
    };

    using Responder = std::function<Answer(const Request&)>;

    explicit LoopbackHttpServer(Scheme scheme = Scheme::http);
    ~LoopbackHttpServer();
    LoopbackHttpServer(const LoopbackHttpServer&) = delete;
    LoopbackHttpServer& operator=(const LoopbackHttpServer&) = delete;

    quint16 port() const;
    // "http://127.0.0.1:<port>" (or "https://") followed by `pathAndQuery`.
    QUrl url(const QString& pathAndQuery) const;

    void answer(const QString& path, Answer answer);
    void answer(const QString& path, Responder responder);

    // Every request received in full, in arrival order.
    const QList<Request>& requests() const { return requests_; }
    int openConnectionCount() const;
    // Connections accepted so far, stalled ones included.
    int acceptedConnectionCount() const { return acceptedConnections_; }
    // Requests received whose answers are neither complete nor cut off by a closed connection.
    int answersInProgress() const;
    // Answers written in full.
    int completedAnswerCount() const { return completedAnswers_; }

    // While set, connections are accepted and then never read nor answered:
    // a TLS handshake stalls at the client's first message.
    void setStallsConnections(bool stalls) { stallsConnections_ = stalls; }
    // Stalled connections the client still holds open.
    int stalledConnectionCount() const;

private:
    class Connection;
    class Listener;
    class CertificateTrust;

    void accept(qintptr socketDescriptor);
    void received(const Request& request, Connection& connection);
    void closed(Connection& connection);

    const Scheme scheme_;
    std::unique_ptr<CertificateTrust> trust_;
    std::unique_ptr<Listener> listener_;
    bool stallsConnections_ = false;
    std::vector<std::unique_ptr<QTcpSocket>> stalledSockets_;
    QHash<QString, Responder> responders_;
    QList<Request> requests_;
    std::map<Connection*, std::unique_ptr<Connection>> connections_;
    int completedAnswers_ = 0;
    int acceptedConnections_ = 0;
};
