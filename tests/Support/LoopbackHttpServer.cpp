#include "Support/LoopbackHttpServer.h"

#include "Support/LoopbackCertificate.h"

#include <algorithm>

#include <QElapsedTimer>
#include <QHostAddress>
#include <QSslConfiguration>
#include <QSslSocket>
#include <QTcpServer>
#include <QTimer>

namespace {

constexpr std::int64_t writeChunkBytes = 64 * 1024;
// Unsent bytes the socket may hold before the server waits for it to drain.
constexpr std::int64_t writeHighWaterBytes = 256 * 1024;
constexpr std::chrono::milliseconds paceInterval{1};

QByteArray reasonPhrase(int status) {
    switch (status) {
    case 200:
        return "OK";
    case 204:
        return "No Content";
    case 301:
        return "Moved Permanently";
    case 302:
        return "Found";
    case 404:
        return "Not Found";
    case 500:
        return "Internal Server Error";
    default:
        return "Status";
    }
}

QByteArray answerHead(const LoopbackHttpServer::Answer& answer) {
    QByteArray head = "HTTP/1.1 " + QByteArray::number(answer.status) + ' ' +
                      reasonPhrase(answer.status) + "\r\n";
    for (const auto& [name, value] : answer.headers) {
        head += name + ": " + value + "\r\n";
    }
    head += "Content-Length: " + QByteArray::number(answer.body.size()) + "\r\n\r\n";
    return head;
}

std::optional<QByteArray> headerValue(const LoopbackHttpServer::HeaderFields& headers,
                                      const QByteArray& name) {
    for (const auto& [field, value] : headers) {
        if (field.compare(name, Qt::CaseInsensitive) == 0) {
            return value;
        }
    }
    return std::nullopt;
}

// Parses a request line and its header fields (without the blank line).
std::optional<LoopbackHttpServer::Request> parseHead(const QByteArray& head) {
    const QList<QByteArray> lines = head.split('\n');
    const QList<QByteArray> requestLine = lines.value(0).trimmed().split(' ');
    if (requestLine.size() != 3) {
        return std::nullopt;
    }
    LoopbackHttpServer::Request request;
    request.method = requestLine[0];
    const QUrl target(QString::fromLatin1(requestLine[1]));
    request.path = target.path();
    request.query = target.query();
    for (qsizetype index = 1; index < lines.size(); ++index) {
        const QByteArray line = lines[index].trimmed();
        const qsizetype colon = line.indexOf(':');
        if (colon > 0) {
            request.headers.append({line.left(colon).trimmed(), line.mid(colon + 1).trimmed()});
        }
    }
    return request;
}

} // namespace

LoopbackHttpServer::Answer::Answer(int status, QByteArray body)
    : status(status), body(std::move(body)) {}

LoopbackHttpServer::Answer LoopbackHttpServer::Answer::header(QByteArray name,
                                                              QByteArray value) && {
    headers.append({std::move(name), std::move(value)});
    return std::move(*this);
}

LoopbackHttpServer::Answer LoopbackHttpServer::Answer::delayed(std::chrono::milliseconds wait) && {
    delay = wait;
    return std::move(*this);
}

LoopbackHttpServer::Answer LoopbackHttpServer::Answer::hanging() && {
    delay = never;
    return std::move(*this);
}

LoopbackHttpServer::Answer LoopbackHttpServer::Answer::paced(std::int64_t rate) && {
    bytesPerSecond = rate;
    return std::move(*this);
}

LoopbackHttpServer::Answer LoopbackHttpServer::Answer::droppedAfter(std::int64_t bytes) && {
    dropAfterBytes = bytes;
    return std::move(*this);
}

std::optional<QByteArray> LoopbackHttpServer::Request::header(const QByteArray& name) const {
    return headerValue(headers, name);
}

// One client connection: reads requests one at a time, answers each as scripted.
class LoopbackHttpServer::Connection {
public:
    Connection(LoopbackHttpServer& server, QTcpSocket* socket) : server_(server), socket_(socket) {
        socket_->setSocketOption(QAbstractSocket::LowDelayOption, 1);
        QObject::connect(socket_, &QTcpSocket::readyRead, socket_, [this] { readIncoming(); });
        // A paced body goes out on the pacer's ticks alone: written each time
        // the socket drains, it would leave in slivers (over TLS, a record each).
        QObject::connect(socket_, &QTcpSocket::bytesWritten, socket_, [this] {
            if (answer_.bytesPerSecond <= 0) {
                writeMore();
            }
        });
        QObject::connect(socket_, &QTcpSocket::disconnected, socket_,
                         [this] { server_.closed(*this); });
        delayTimer_.setSingleShot(true);
        QObject::connect(&delayTimer_, &QTimer::timeout, [this] { startWriting(); });
        pacer_.setTimerType(Qt::PreciseTimer);
        QObject::connect(&pacer_, &QTimer::timeout, [this] { writeMore(); });
    }

    ~Connection() {
        socket_->disconnect();
        socket_->abort();
        socket_->deleteLater();
    }

    bool isOpen() const { return !isClosed_; }
    bool isAnswering() const { return isAnswering_ && !isClosed_; }

    // The peer has gone: nothing more is read or written.
    void markClosed() {
        isClosed_ = true;
        delayTimer_.stop();
        pacer_.stop();
    }

    void answer(Answer answer) {
        answer_ = std::move(answer);
        head_ = answerHead(answer_);
        written_ = 0;
        if (answer_.delay == never) {
            return;
        }
        if (answer_.delay.count() > 0) {
            delayTimer_.start(answer_.delay);
        } else {
            startWriting();
        }
    }

private:
    void readIncoming() {
        incoming_ += socket_->readAll();
        while (!isAnswering_ && takeRequest()) {
        }
    }

    // Takes one request from the incoming bytes once it is complete; its body is counted, not kept.
    bool takeRequest() {
        if (!pending_) {
            const qsizetype end = incoming_.indexOf("\r\n\r\n");
            if (end < 0) {
                return false;
            }
            pending_ = parseHead(incoming_.left(end));
            incoming_.remove(0, end + 4);
            if (!pending_) {
                socket_->disconnectFromHost();
                return false;
            }
            bodyRemaining_ = pending_->header("Content-Length").value_or("0").toLongLong();
        }
        const auto consumed = std::min<std::int64_t>(bodyRemaining_, incoming_.size());
        incoming_.remove(0, static_cast<qsizetype>(consumed));
        bodyRemaining_ -= consumed;
        pending_->bodySize += consumed;
        if (bodyRemaining_ > 0) {
            return false;
        }
        isAnswering_ = true;
        const Request request = std::exchange(pending_, std::nullopt).value();
        server_.received(request, *this);
        return true;
    }

    void startWriting() {
        paceClock_.start();
        if (answer_.bytesPerSecond > 0) {
            pacer_.start(paceInterval);
        }
        writeMore();
    }

    std::int64_t answerSize() const { return head_.size() + answer_.body.size(); }

    std::int64_t writeLimit() const {
        return std::min(answerSize(), answer_.dropAfterBytes.value_or(answerSize()));
    }

    // Answer bytes the pace allows by now: the head at once, the body at its rate.
    std::int64_t pacedAllowance() const {
        if (answer_.bytesPerSecond <= 0) {
            return answerSize();
        }
        const double seconds = static_cast<double>(paceClock_.nsecsElapsed()) / 1e9;
        return head_.size() +
               static_cast<std::int64_t>(seconds * static_cast<double>(answer_.bytesPerSecond));
    }

    void writeMore() {
        if (!isAnswering() || !paceClock_.isValid()) {
            return;
        }
        const std::int64_t limit = std::min(writeLimit(), pacedAllowance());
        while (written_ < limit && socket_->bytesToWrite() < writeHighWaterBytes) {
            const std::int64_t length = std::min(limit - written_, writeChunkBytes);
            writeSlice(written_, length);
            written_ += length;
        }
        if (written_ == writeLimit()) {
            finishAnswer();
        }
    }

    // Writes answer bytes [offset, offset + length) from the head and the body.
    void writeSlice(std::int64_t offset, std::int64_t length) {
        const std::int64_t headSize = head_.size();
        if (offset < headSize) {
            const std::int64_t fromHead = std::min(length, headSize - offset);
            socket_->write(head_.constData() + offset, fromHead);
            offset += fromHead;
            length -= fromHead;
        }
        if (length > 0) {
            socket_->write(answer_.body.constData() + (offset - headSize), length);
        }
    }

    void finishAnswer() {
        pacer_.stop();
        paceClock_.invalidate();
        const bool isComplete = written_ == answerSize();
        if (isComplete) {
            ++server_.completedAnswers_;
        }
        isAnswering_ = false;
        if (answer_.dropAfterBytes) {
            // Delivers what was written, then closes.
            socket_->disconnectFromHost();
            return;
        }
        readIncoming();
    }

    LoopbackHttpServer& server_;
    QTcpSocket* socket_;
    QByteArray incoming_;
    std::optional<Request> pending_;
    std::int64_t bodyRemaining_ = 0;
    bool isAnswering_ = false;
    bool isClosed_ = false;
    Answer answer_;
    QByteArray head_;
    std::int64_t written_ = 0;
    QTimer delayTimer_;
    QTimer pacer_;
    QElapsedTimer paceClock_;
};

// Hands every accepted socket descriptor to the server, which wraps it.
class LoopbackHttpServer::Listener final : public QTcpServer {
public:
    explicit Listener(LoopbackHttpServer& server) : server_(server) {}

protected:
    void incomingConnection(qintptr socketDescriptor) override { server_.accept(socketDescriptor); }

private:
    LoopbackHttpServer& server_;
};

// Adds the loopback certificate to the process's default TLS configuration
// for its lifetime.
class LoopbackHttpServer::CertificateTrust {
public:
    CertificateTrust() : previous_(QSslConfiguration::defaultConfiguration()) {
        QSslConfiguration trusting = previous_;
        trusting.addCaCertificate(LoopbackCertificate::certificate());
        QSslConfiguration::setDefaultConfiguration(trusting);
    }
    ~CertificateTrust() { QSslConfiguration::setDefaultConfiguration(previous_); }
    CertificateTrust(const CertificateTrust&) = delete;
    CertificateTrust& operator=(const CertificateTrust&) = delete;

private:
    QSslConfiguration previous_;
};

LoopbackHttpServer::LoopbackHttpServer(Scheme scheme)
    : scheme_(scheme), listener_(std::make_unique<Listener>(*this)) {
    if (scheme_ == Scheme::https) {
        trust_ = std::make_unique<CertificateTrust>();
    }
    listener_->listen(QHostAddress::LocalHost, 0);
}

LoopbackHttpServer::~LoopbackHttpServer() {
    listener_->close();
    connections_.clear();
}

quint16 LoopbackHttpServer::port() const {
    return listener_->serverPort();
}

QUrl LoopbackHttpServer::url(const QString& pathAndQuery) const {
    const QString scheme =
        scheme_ == Scheme::https ? QStringLiteral("https") : QStringLiteral("http");
    return QUrl(QStringLiteral("%1://127.0.0.1:%2%3").arg(scheme).arg(port()).arg(pathAndQuery));
}

void LoopbackHttpServer::answer(const QString& path, Answer answer) {
    responders_.insert(path, [answer](const Request&) { return answer; });
}

void LoopbackHttpServer::answer(const QString& path, Responder responder) {
    responders_.insert(path, std::move(responder));
}

int LoopbackHttpServer::openConnectionCount() const {
    return static_cast<int>(
        std::count_if(connections_.begin(), connections_.end(),
                      [](const auto& entry) { return entry.second->isOpen(); }));
}

int LoopbackHttpServer::stalledConnectionCount() const {
    return static_cast<int>(
        std::count_if(stalledSockets_.begin(), stalledSockets_.end(), [](const auto& socket) {
            return socket->state() == QAbstractSocket::ConnectedState;
        }));
}

int LoopbackHttpServer::answersInProgress() const {
    return static_cast<int>(
        std::count_if(connections_.begin(), connections_.end(),
                      [](const auto& entry) { return entry.second->isAnswering(); }));
}

void LoopbackHttpServer::accept(qintptr socketDescriptor) {
    ++acceptedConnections_;
    if (stallsConnections_) {
        auto socket = std::make_unique<QTcpSocket>();
        socket->setSocketDescriptor(socketDescriptor);
        stalledSockets_.push_back(std::move(socket));
        return;
    }
    QTcpSocket* socket = nullptr;
    if (scheme_ == Scheme::https) {
        auto* secureSocket = new QSslSocket(listener_.get());
        secureSocket->setSocketDescriptor(socketDescriptor);
        secureSocket->setLocalCertificate(LoopbackCertificate::certificate());
        secureSocket->setPrivateKey(LoopbackCertificate::privateKey());
        secureSocket->startServerEncryption();
        socket = secureSocket;
    } else {
        socket = new QTcpSocket(listener_.get());
        socket->setSocketDescriptor(socketDescriptor);
    }
    auto connection = std::make_unique<Connection>(*this, socket);
    Connection* key = connection.get();
    connections_.emplace(key, std::move(connection));
}

void LoopbackHttpServer::received(const Request& request, Connection& connection) {
    requests_.append(request);
    const auto responder = responders_.constFind(request.path);
    if (responder == responders_.constEnd()) {
        connection.answer(Answer(404, "not found"));
        return;
    }
    connection.answer((*responder)(request));
}

void LoopbackHttpServer::closed(Connection& connection) {
    connection.markClosed();
    // Destroyed on a later turn: the socket is inside its own signal now.
    QTimer::singleShot(0, listener_.get(), [this, key = &connection] { connections_.erase(key); });
}
