#include "Platform/DBus/MessageBusGreeting.h"

#include "Platform/DBus/MessageHeaderFields.h"

#include <algorithm>
#include <cstdint>
#include <unistd.h>

#include <QtEndian>

namespace {

constexpr char methodCall = 1;
constexpr char methodReturn = 2;
constexpr char error = 3;
constexpr qsizetype fixedHeaderSize = 16;

void pad(QByteArray& message, qsizetype alignment) {
    while (message.size() % alignment != 0) {
        message += '\0';
    }
}

void appendUint32(QByteArray& message, uint32_t value) {
    char bytes[4];
    qToLittleEndian(value, bytes);
    message.append(bytes, 4);
}

// One header field holding a string or an object path: (code, variant).
void appendStringField(QByteArray& message, char code, char type, QByteArrayView text) {
    pad(message, 8);
    message += code;
    message += '\1';
    message += type;
    message += '\0';
    pad(message, 4);
    appendUint32(message, uint32_t(text.size()));
    message += text;
    message += '\0';
}

// org.freedesktop.DBus.Hello, little-endian, serial 1, no body.
QByteArray helloCall() {
    QByteArray message;
    message += 'l';
    message += methodCall;
    message += '\0';
    message += '\1';
    appendUint32(message, 0);
    appendUint32(message, 1);
    appendUint32(message, 0);
    appendStringField(message, 1, 'o', "/org/freedesktop/DBus");
    appendStringField(message, 6, 's', "org.freedesktop.DBus");
    appendStringField(message, 2, 's', "org.freedesktop.DBus");
    appendStringField(message, 3, 's', "Hello");
    qToLittleEndian(uint32_t(message.size() - fixedHeaderSize), message.data() + 12);
    pad(message, 8);
    return message;
}

uint32_t readUint32(QByteArrayView bytes, qsizetype at, bool isBigEndian) {
    return isBigEndian ? qFromBigEndian<uint32_t>(bytes.data() + at)
                       : qFromLittleEndian<uint32_t>(bytes.data() + at);
}

qsizetype aligned(qsizetype offset, qsizetype alignment) {
    return (offset + alignment - 1) / alignment * alignment;
}

} // namespace

MessageBusGreeting::MessageBusGreeting(bool negotiatesUnixFds)
    : negotiatesUnixFds_(negotiatesUnixFds) {}

QByteArray MessageBusGreeting::opening() const {
    return QByteArray(1, '\0') + "AUTH EXTERNAL " +
           QByteArray::number(static_cast<qulonglong>(::getuid())).toHex() + "\r\n";
}

QByteArray MessageBusGreeting::take(QByteArrayView received) {
    received_ += received.size();
    if (received_ > longestGreeting) {
        step_ = Step::givenUp;
    }
    if (step_ == Step::answered || step_ == Step::givenUp) {
        return {};
    }
    buffer_ += received;
    QByteArray reply;
    while (step_ == Step::waitingForOk || step_ == Step::waitingForUnixFdAnswer) {
        const qsizetype end = buffer_.indexOf("\r\n", scannedUpTo_);
        if (end < 0) {
            scannedUpTo_ = std::max<qsizetype>(0, buffer_.size() - 1);
            return reply;
        }
        const QByteArray line = buffer_.first(end);
        buffer_.remove(0, end + 2);
        scannedUpTo_ = 0;
        reply += takeLine(line);
    }
    while (step_ == Step::waitingForHelloReply && takeHelloReply()) {
    }
    return reply;
}

QByteArray MessageBusGreeting::takeLine(QByteArrayView line) {
    const auto command = [&](QByteArrayView word) {
        return line == word || line.startsWith(word.toByteArray() + ' ');
    };
    const QByteArray begin = "BEGIN\r\n" + helloCall();
    if (step_ == Step::waitingForOk) {
        if (command("OK")) {
            if (negotiatesUnixFds_) {
                step_ = Step::waitingForUnixFdAnswer;
                return "NEGOTIATE_UNIX_FD\r\n";
            }
            step_ = Step::waitingForHelloReply;
            return begin;
        }
        if (command("REJECTED") || command("ERROR")) {
            step_ = Step::answered;
        }
        return {};
    }
    if (command("AGREE_UNIX_FD") || command("ERROR")) {
        step_ = Step::waitingForHelloReply;
        return begin;
    }
    return {};
}

// Takes one whole message from the buffer: true if one was there. The bus
// may send other messages first; only the reply to serial 1 counts.
bool MessageBusGreeting::takeHelloReply() {
    if (buffer_.size() < fixedHeaderSize) {
        return false;
    }
    const bool isBigEndian = buffer_[0] == 'B';
    const qsizetype fieldsEnd = fixedHeaderSize + qsizetype(readUint32(buffer_, 12, isBigEndian));
    const qsizetype size = aligned(fieldsEnd, 8) + qsizetype(readUint32(buffer_, 4, isBigEndian));
    if (size > longestGreeting) {
        step_ = Step::givenUp;
        return false;
    }
    if (buffer_.size() < size) {
        return false;
    }
    const char type = buffer_[1];
    if ((type == methodReturn || type == error) &&
        MessageHeaderFields::replySerial(buffer_, fieldsEnd, isBigEndian) == 1u) {
        step_ = Step::answered;
    }
    buffer_.remove(0, size);
    return true;
}
