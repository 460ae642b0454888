#include "Platform/DBus/MessageHeaderFields.h"

#include <QtEndian>

namespace {

constexpr char replySerialField = 5;
constexpr qsizetype fixedHeaderSize = 16;

uint32_t readUint32(QByteArrayView bytes, qsizetype at, bool isBigEndian) {
    return isBigEndian ? qFromBigEndian<uint32_t>(bytes.data() + at)
                       : qFromLittleEndian<uint32_t>(bytes.data() + at);
}

qsizetype aligned(qsizetype offset, qsizetype alignment) {
    return (offset + alignment - 1) / alignment * alignment;
}

// The alignment a value of the type `code` starts at; 0 for no type.
qsizetype alignmentOf(char code) {
    switch (code) {
    case 'y':
    case 'g':
    case 'v':
        return 1;
    case 'n':
    case 'q':
        return 2;
    case 'b':
    case 'i':
    case 'u':
    case 'h':
    case 's':
    case 'o':
    case 'a':
        return 4;
    case 'x':
    case 't':
    case 'd':
    case '(':
    case '{':
        return 8;
    default:
        return 0;
    }
}

// Where the single complete type that starts at `signature[from]` ends; -1
// where it does not end.
qsizetype completeTypeEnd(QByteArrayView signature, qsizetype from) {
    int open = 0;
    for (qsizetype at = from; at < signature.size(); ++at) {
        const char code = signature[at];
        if (code == 'a') {
            continue;
        }
        open += code == '(' || code == '{' ? 1 : code == ')' || code == '}' ? -1 : 0;
        if (open <= 0) {
            return open == 0 ? at + 1 : -1;
        }
    }
    return -1;
}

// Reads the header fields of a whole message, up to `end`: values are passed
// over by their signatures, as a reader passes over fields it does not know.
class HeaderFieldReader {
public:
    HeaderFieldReader(QByteArrayView message, qsizetype end, bool isBigEndian)
        : message_(message), end_(end), isBigEndian_(isBigEndian) {}

    // The signature at `at`, and `at` moved past it; none where it overruns.
    std::optional<QByteArrayView> signatureAt(qsizetype& at) const {
        if (at >= end_) {
            return std::nullopt;
        }
        const qsizetype length = static_cast<unsigned char>(message_[at]);
        if (at + 1 + length + 1 > end_) {
            return std::nullopt;
        }
        const QByteArrayView signature = message_.sliced(at + 1, length);
        at += 1 + length + 1;
        return signature;
    }

    std::optional<uint32_t> uint32At(qsizetype& at) const {
        at = aligned(at, 4);
        if (at + 4 > end_) {
            return std::nullopt;
        }
        at += 4;
        return readUint32(message_, at - 4, isBigEndian_);
    }

    // Passes over the value of the complete type at `signature[type]` found
    // at `at`, moving both past it; false where it does not fit.
    bool skip(QByteArrayView signature, qsizetype& type, qsizetype& at, int depth = 0) const {
        if (depth > maximumDepth || type >= signature.size()) {
            return false;
        }
        const char code = signature[type];
        const qsizetype alignment = alignmentOf(code);
        if (alignment == 0) {
            return false;
        }
        at = aligned(at, alignment);
        if (code == 'v') {
            const auto inner = signatureAt(at);
            qsizetype innerType = 0;
            if (!inner || !skip(*inner, innerType, at, depth + 1) || innerType != inner->size()) {
                return false;
            }
            ++type;
        } else if (code == 'g') {
            if (!signatureAt(at)) {
                return false;
            }
            ++type;
        } else if (code == 's' || code == 'o') {
            const auto length = uint32At(at);
            if (!length) {
                return false;
            }
            at += qsizetype(*length) + 1;
            ++type;
        } else if (code == 'a') {
            const auto length = uint32At(at);
            const qsizetype element = type + 1;
            const qsizetype elementEnd = completeTypeEnd(signature, element);
            if (!length || elementEnd < 0 || alignmentOf(signature[element]) == 0) {
                return false;
            }
            at = aligned(at, alignmentOf(signature[element])) + qsizetype(*length);
            type = elementEnd;
        } else if (code == '(' || code == '{') {
            const char close = code == '(' ? ')' : '}';
            for (++type; type < signature.size() && signature[type] != close;) {
                if (!skip(signature, type, at, depth + 1)) {
                    return false;
                }
            }
            if (type >= signature.size()) {
                return false;
            }
            ++type;
        } else {
            at += alignment;
            ++type;
        }
        return at <= end_;
    }

private:
    // Deeper than any message a bus may send.
    static constexpr int maximumDepth = 64;

    QByteArrayView message_;
    qsizetype end_;
    bool isBigEndian_;
};

} // namespace

namespace MessageHeaderFields {

std::optional<uint32_t> replySerial(QByteArrayView message, qsizetype fieldsEnd, bool isBigEndian) {
    const HeaderFieldReader reader(message, fieldsEnd, isBigEndian);
    qsizetype at = fixedHeaderSize;
    while (at < fieldsEnd) {
        at = aligned(at, 8);
        if (at >= fieldsEnd) {
            return std::nullopt;
        }
        const char code = message[at++];
        const auto signature = reader.signatureAt(at);
        if (!signature) {
            return std::nullopt;
        }
        if (code == replySerialField && *signature == "u") {
            return reader.uint32At(at);
        }
        qsizetype type = 0;
        if (!reader.skip(*signature, type, at) || type != signature->size()) {
            return std::nullopt;
        }
    }
    return std::nullopt;
}

} // namespace MessageHeaderFields
