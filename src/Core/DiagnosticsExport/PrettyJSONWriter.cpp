#include "Core/DiagnosticsExport/PrettyJSONWriter.h"

#include "Core/DiagnosticsExport/ShortestRealText.h"
#include "Platform/Algorithm/StableSort.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <string>
#include <utility>
#include <vector>

#include <QStringList>
#include <QStringView>

namespace {

constexpr std::string_view indentUnit = "  ";

class Writer {
public:
    void writeValue(const JSONValue& value, int depth) {
        std::visit([&](const auto& alternative) { writeAlternative(alternative, depth); },
                   value.storage());
    }

    QByteArray bytes() const {
        return QByteArray(output_.data(), static_cast<qsizetype>(output_.size()));
    }

private:
    struct SortedMember {
        std::string keyUTF8;
        const JSONMember* member;
    };

    void writeAlternative(bool flag, int) { output_ += flag ? "true" : "false"; }
    void writeAlternative(std::int64_t integer, int) { output_ += std::to_string(integer); }
    void writeAlternative(double number, int) {
        if (!std::isfinite(number)) {
            throw JSONEncodingError(path_, QStringLiteral("Unable to encode %1 in JSON: a number "
                                                          "must be finite.")
                                               .arg(std::isnan(number) ? u"NaN" : u"infinity"));
        }
        output_ += shortestRealText(number);
    }
    void writeAlternative(const QString& text, int) { writeString(text); }
    void writeAlternative(const JSONObject& object, int depth) {
        if (object.empty()) {
            output_ += "{}";
            return;
        }
        output_ += "{\n";
        bool isFirst = true;
        for (const SortedMember& sorted : sortedMembers(object)) {
            if (!isFirst) {
                output_ += ",\n";
            }
            isFirst = false;
            writeIndent(depth + 1);
            writeQuoted(sorted.keyUTF8);
            output_ += " : ";
            path_.append(sorted.member->key);
            writeValue(sorted.member->value, depth + 1);
            path_.removeLast();
        }
        output_ += '\n';
        writeIndent(depth);
        output_ += '}';
    }

    std::vector<SortedMember> sortedMembers(const JSONObject& object) {
        std::vector<SortedMember> sorted;
        sorted.reserve(object.size());
        for (const JSONMember& member : object) {
            sorted.push_back({utf8(member.key), &member});
        }
        // Byte order of UTF-8 is code point order.
        Algorithm::stableSort(sorted.begin(), sorted.end(),
                              [](const SortedMember& left, const SortedMember& right) {
                                  return left.keyUTF8 < right.keyUTF8;
                              });
        return sorted;
    }

    std::string utf8(const QString& text) {
        if (!QStringView(text).isValidUtf16()) {
            throw JSONEncodingError(
                path_, QStringLiteral("Unable to encode a text with an unpaired surrogate: it has "
                                      "no UTF-8 form."));
        }
        return text.toStdString();
    }

    void writeString(const QString& text) { writeQuoted(utf8(text)); }

    void writeQuoted(const std::string& textUTF8) {
        output_ += '"';
        for (const char character : textUTF8) {
            writeEscaped(character);
        }
        output_ += '"';
    }

    void writeEscaped(char character) {
        switch (character) {
        case '"':
            output_ += "\\\"";
            return;
        case '\\':
            output_ += "\\\\";
            return;
        case '/':
            output_ += "\\/";
            return;
        case '\b':
            output_ += "\\b";
            return;
        case '\f':
            output_ += "\\f";
            return;
        case '\n':
            output_ += "\\n";
            return;
        case '\r':
            output_ += "\\r";
            return;
        case '\t':
            output_ += "\\t";
            return;
        default:
            break;
        }
        const auto byte = static_cast<unsigned char>(character);
        if (byte < 0x20) {
            static constexpr std::array<char, 16> hexDigits{'0', '1', '2', '3', '4', '5', '6', '7',
                                                            '8', '9', 'a', 'b', 'c', 'd', 'e', 'f'};
            output_ += "\\u00";
            output_ += hexDigits[byte >> 4];
            output_ += hexDigits[byte & 0x0f];
            return;
        }
        output_ += character;
    }

    void writeIndent(int depth) {
        for (int level = 0; level < depth; ++level) {
            output_ += indentUnit;
        }
    }

    std::string output_;
    QStringList path_;
};

} // namespace

namespace PrettyJSONWriter {

QByteArray write(const JSONValue& value) {
    Writer writer;
    writer.writeValue(value, 0);
    return writer.bytes();
}

} // namespace PrettyJSONWriter
