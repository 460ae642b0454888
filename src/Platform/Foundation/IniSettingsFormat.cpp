#include "Platform/Foundation/IniSettingsFormat.h"

#include <QPoint>
#include <QRect>
#include <QSize>
#include <QStringDecoder>
#include <QStringList>

namespace IniSettingsFormat {

namespace {

constexpr char hexDigits[] = "0123456789ABCDEF";

bool isSpace(char ch) {
    return ch == ' ' || ch == '\t' || ch == '\n' || ch == '\r' || ch == '\f' || ch == '\v';
}

// UTF-8 text with a leading U+FEFF kept: QString::fromUtf8 would take it for
// a byte-order mark and drop it, where it starts a run of a value's text.
// Stateless, so that a sequence cut off at the run's end reads as U+FFFD, as
// any other invalid one does, rather than waiting for bytes that never come.
QString utf8Text(QByteArrayView bytes) {
    QStringDecoder decoder(QStringDecoder::Utf8, QStringDecoder::Flag::ConvertInitialBom |
                                                     QStringDecoder::Flag::Stateless);
    return decoder(bytes);
}

int digitValue(char ch, int base) {
    const char lower = ch >= 'A' && ch <= 'F' ? char(ch - 'A' + 'a') : ch;
    const qsizetype value = QByteArrayView("0123456789abcdef").indexOf(lower);
    return value >= 0 && value < base ? int(value) : -1;
}

// Letters, digits, "_", "-" and "." as they are; "/" as "\"; any other
// character as %XX, or %UXXXX above Latin-1.
QByteArray escapedKey(const QString& key) {
    QByteArray result;
    for (const QChar ch : key) {
        const char16_t unit = ch.unicode();
        if (unit == '/') {
            result += '\\';
        } else if ((unit < 0x80 && QChar::isLetterOrNumber(unit)) || unit == '_' || unit == '-' ||
                   unit == '.') {
            result += char(unit);
        } else if (unit <= 0xFF) {
            result += '%';
            result += hexDigits[unit / 16];
            result += hexDigits[unit % 16];
        } else {
            result += "%U" + QByteArray::number(unit, 16).toUpper().rightJustified(4, '0');
        }
    }
    return result;
}

QString unescapedKey(QByteArrayView key) {
    const QString text = QString::fromUtf8(key);
    QString result;
    for (qsizetype i = 0; i < text.size();) {
        if (text[i] == u'\\') {
            result += u'/';
            ++i;
            continue;
        }
        const int digits = text.mid(i + 1, 1) == u"U" ? 4 : 2;
        const qsizetype first = i + 1 + (digits == 4 ? 1 : 0);
        bool ok = false;
        const ushort unit = text[i] == u'%' && first + digits <= text.size()
                                ? QStringView(text).sliced(first, digits).toUShort(&ok, 16)
                                : 0;
        if (!ok) {
            result += text[i++];
            continue;
        }
        result += QChar(unit);
        i = first + digits;
    }
    return result;
}

QByteArray escapedString(const QString& text) {
    QByteArray result;
    bool escapeNextIfHexDigit = false;
    bool needsQuotes = false;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const char16_t unit = text[i].unicode();
        needsQuotes = needsQuotes || unit == ';' || unit == ',' || unit == '=';
        if (escapeNextIfHexDigit && unit < 0x80 && digitValue(char(unit), 16) >= 0) {
            result += "\\x" + QByteArray::number(unit, 16);
            continue;
        }
        escapeNextIfHexDigit = false;
        static const QByteArray controls("\0\a\b\f\n\r\t\v", 8);
        static const QByteArray controlNames("0abfnrtv");
        if (const qsizetype control = unit < 0x80 ? controls.indexOf(char(unit)) : -1;
            control >= 0) {
            result += '\\';
            result += controlNames[control];
            escapeNextIfHexDigit = unit == 0;
        } else if (unit == '"' || unit == '\\') {
            result += '\\';
            result += char(unit);
        } else if (unit <= 0x1F) {
            result += "\\x" + QByteArray::number(unit, 16);
            escapeNextIfHexDigit = true;
        } else if (QChar::isHighSurrogate(unit) && i + 1 < text.size()) {
            result += text.mid(i++, 2).toUtf8();
        } else {
            result += QString(QChar(unit)).toUtf8();
        }
    }
    if (needsQuotes || result.startsWith(' ') || result.endsWith(' ')) {
        return '"' + result + '"';
    }
    return result;
}

void chopTrailingSpaces(QString& text, qsizetype limit) {
    while (text.size() > limit && (text.back() == u' ' || text.back() == u'\t')) {
        text.chop(1);
    }
}

// Reads a numeric escape's digits from `i` on, in `base`.
char16_t numericEscape(QByteArrayView text, qsizetype& i, int base, char16_t value) {
    while (i < text.size() && digitValue(text[i], base) >= 0) {
        value = char16_t(value * base + digitValue(text[i++], base));
    }
    return value;
}

// One escape after a backslash at `i`; appends what it stands for.
void unescapeAt(QByteArrayView text, qsizetype& i, QString& result) {
    static const QByteArray names("abfnrtv\"?'\\");
    static const QByteArray values("\a\b\f\n\r\t\v\"?'\\");
    const char ch = text[i++];
    if (const qsizetype named = names.indexOf(ch); named >= 0) {
        result += QLatin1Char(values[named]);
    } else if (ch == 'x') {
        if (i < text.size() && digitValue(text[i], 16) >= 0) {
            result += QChar(numericEscape(text, i, 16, 0));
        }
    } else if (digitValue(ch, 8) >= 0) {
        result += QChar(numericEscape(text, i, 8, char16_t(digitValue(ch, 8))));
    } else if ((ch == '\n' || ch == '\r') && i < text.size() &&
               (text[i] == '\n' || text[i] == '\r') && text[i] != ch) {
        ++i;
    }
}

struct Unescaped {
    QStringList parts;
    bool isList = false;
};

// Quotes keep spaces and commas; unquoted spaces around a value go, and an
// unquoted comma makes a list.
Unescaped unescapedStrings(QByteArrayView text) {
    Unescaped result;
    QString current;
    bool inQuotes = false;
    bool quoted = false;
    qsizetype chopLimit = 0;
    auto skipSpaces = [&](qsizetype& i) {
        while (i < text.size() && (text[i] == ' ' || text[i] == '\t')) {
            ++i;
        }
        chopLimit = current.size();
    };
    qsizetype i = 0;
    skipSpaces(i);
    while (i < text.size()) {
        const char ch = text[i];
        if (ch == '\\') {
            if (++i < text.size()) {
                unescapeAt(text, i, current);
            }
            chopLimit = current.size();
        } else if (ch == '"') {
            ++i;
            quoted = true;
            inQuotes = !inQuotes;
            if (!inQuotes) {
                skipSpaces(i);
            }
        } else if (ch == ',' && !inQuotes) {
            if (!quoted) {
                chopTrailingSpaces(current, chopLimit);
            }
            result.isList = true;
            result.parts.append(std::exchange(current, {}));
            quoted = false;
            ++i;
            skipSpaces(i);
        } else {
            qsizetype end = i + 1;
            while (end < text.size() && text[end] != '\\' && text[end] != '"' && text[end] != ',') {
                ++end;
            }
            current += utf8Text(text.sliced(i, end - i));
            i = end;
        }
    }
    if (!quoted) {
        chopTrailingSpaces(current, chopLimit);
    }
    result.parts.append(current);
    return result;
}

QStringList arguments(const QString& text, qsizetype open) {
    return text.sliced(open + 1).chopped(1).split(u' ');
}

QVariant stringToVariant(const QString& text) {
    if (!text.startsWith(u'@')) {
        return text;
    }
    if (text.endsWith(u')')) {
        const QStringList args = arguments(text, text.indexOf(u'('));
        if (text.startsWith(u"@Rect(") && args.size() == 4) {
            return QRect(args[0].toInt(), args[1].toInt(), args[2].toInt(), args[3].toInt());
        }
        if (text.startsWith(u"@Size(") && args.size() == 2) {
            return QSize(args[0].toInt(), args[1].toInt());
        }
        if (text.startsWith(u"@Point(") && args.size() == 2) {
            return QPoint(args[0].toInt(), args[1].toInt());
        }
        if (text.startsWith(u"@String(")) {
            return text.sliced(8).chopped(1);
        }
        if (text == u"@Invalid()") {
            return {};
        }
    }
    return text.startsWith(u"@@") ? text.sliced(1) : text;
}

QString variantToString(const QVariant& value) {
    if (value.typeId() == QMetaType::QRect) {
        const QRect rect = value.toRect();
        return QString::asprintf("@Rect(%d %d %d %d)", rect.x(), rect.y(), rect.width(),
                                 rect.height());
    }
    if (value.typeId() == QMetaType::QSize) {
        return QString::asprintf("@Size(%d %d)", value.toSize().width(), value.toSize().height());
    }
    if (value.typeId() == QMetaType::QPoint) {
        return QString::asprintf("@Point(%d %d)", value.toPoint().x(), value.toPoint().y());
    }
    if (!value.isValid()) {
        return QStringLiteral("@Invalid()");
    }
    const QString text = value.toString();
    if (text.contains(QChar::Null)) {
        return QStringLiteral("@String(") + text + u')';
    }
    return text.startsWith(u'@') ? u'@' + text : text;
}

// The next line's span from `position` as QSettings reads it: leading space
// and ";" comment lines skipped, a backslash escaping the next byte, quotes
// spanning line ends, an unquoted ";" ending the line. `equals` is the first
// unquoted "=", or -1.
bool nextLine(QByteArrayView file, qsizetype& position, QByteArrayView& line, qsizetype& equals) {
    qsizetype start = position;
    qsizetype i = start;
    for (bool isComment = true; isComment;) {
        while (start < file.size() && isSpace(file[start])) {
            ++start;
        }
        bool inQuotes = false;
        isComment = false;
        equals = -1;
        for (i = start; i < file.size(); ++i) {
            const char ch = file[i];
            if (ch == '=' && !inQuotes && equals < 0) {
                equals = i - start;
            } else if (ch == '\\') {
                // The escaped byte, or both bytes of a two-byte line end.
                i += i + 2 < file.size() &&
                             (file.sliced(i + 1, 2) == "\r\n" || file.sliced(i + 1, 2) == "\n\r")
                         ? 2
                         : 1;
            } else if (ch == '"') {
                inQuotes = !inQuotes;
            } else if ((ch == '\n' || ch == '\r' || ch == ';') && !inQuotes) {
                // A ";" first on a line makes it a comment: skipped, and the
                // next line read in its place.
                isComment = ch == ';' && i == start;
                break;
            }
        }
        if (isComment) {
            while (i < file.size() && file[i] != '\n' && file[i] != '\r') {
                ++i;
            }
            start = i;
        }
    }
    i = std::min(i, file.size());
    position = i;
    line = file.sliced(start, i - start);
    return !line.isEmpty();
}

// "General" for the top level, "%General" for a group of that name.
QString sectionPrefix(QByteArrayView header) {
    const qsizetype close = header.indexOf(']');
    const QByteArray name =
        header.sliced(1, (close < 0 ? header.size() : close) - 1).toByteArray().trimmed();
    if (name.compare("general", Qt::CaseInsensitive) == 0) {
        return {};
    }
    if (name.compare("%general", Qt::CaseInsensitive) == 0) {
        return QString::fromLatin1(name.sliced(1)) + u'/';
    }
    return unescapedKey(name) + u'/';
}

QByteArray sectionHeader(const QString& section) {
    if (section.isEmpty()) {
        return "[General]";
    }
    const QByteArray name = escapedKey(section);
    return name.compare("general", Qt::CaseInsensitive) == 0 ? "[%General]" : '[' + name + ']';
}

} // namespace

Entries parsed(const QByteArray& file) {
    const QByteArrayView data =
        QByteArrayView(file).sliced(file.startsWith("\xef\xbb\xbf") ? 3 : 0);
    Entries entries;
    QString prefix;
    qsizetype position = 0;
    QByteArrayView line;
    qsizetype equals = -1;
    while (nextLine(data, position, line, equals)) {
        if (line.startsWith('[')) {
            prefix = sectionPrefix(line);
        } else if (equals >= 0) {
            entries.insert(prefix + unescapedKey(line.first(equals).trimmed()),
                           line.sliced(equals + 1).toByteArray());
        }
    }
    return entries;
}

QByteArray serialised(const Entries& entries) {
    // Section by section, the top level first.
    QMap<QString, QByteArray> sections;
    for (auto entry = entries.cbegin(); entry != entries.cend(); ++entry) {
        const qsizetype slash = entry.key().indexOf(u'/');
        sections[slash < 0 ? QString() : entry.key().first(slash)] +=
            escapedKey(entry.key().sliced(slash + 1)) + '=' + entry.value() + '\n';
    }
    QByteArray file;
    for (auto section = sections.cbegin(); section != sections.cend(); ++section) {
        file +=
            (file.isEmpty() ? "" : "\n") + sectionHeader(section.key()) + '\n' + section.value();
    }
    return file;
}

QVariant decoded(const QByteArray& written) {
    const Unescaped text = unescapedStrings(written);
    if (!text.isList) {
        return stringToVariant(text.parts.front());
    }
    QVariantList list;
    for (const QString& part : text.parts) {
        list.append(stringToVariant(part));
    }
    return list;
}

QByteArray encoded(const QVariant& value) {
    return escapedString(variantToString(value));
}

} // namespace IniSettingsFormat
