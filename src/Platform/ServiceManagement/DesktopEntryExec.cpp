#include "Platform/ServiceManagement/DesktopEntryExec.h"

#include <algorithm>
#include <iterator>
#include <utility>

namespace {

bool needsQuoting(const QString& argument) {
    static const QString reserved = QStringLiteral(" \t\n\"'\\><~|&;$*?#()`");
    if (argument.isEmpty()) {
        return true;
    }
    for (const QChar character : argument) {
        if (reserved.contains(character)) {
            return true;
        }
    }
    return false;
}

QString quotedArgument(const QString& argument) {
    if (!needsQuoting(argument)) {
        return argument;
    }
    QString quoted = QStringLiteral("\"");
    for (const QChar character : argument) {
        if (character == u'"' || character == u'`' || character == u'$' || character == u'\\') {
            quoted += u'\\';
        }
        quoted += character;
    }
    return quoted + u'"';
}

// A desktop entry string's escapes: the letter after a backslash and the
// character it stands for. "\\s" is read as a space but never written.
constexpr std::pair<char16_t, char16_t> stringEscapes[] = {
    {u'\\', u'\\'}, {u'n', u'\n'}, {u't', u'\t'}, {u'r', u'\r'}, {u's', u' '}};
constexpr qsizetype writtenEscapes = 4;

QString escapedAsString(const QString& value) {
    QString escaped;
    for (const QChar character : value) {
        const auto* const end = stringEscapes + writtenEscapes;
        const auto* const escape = std::find_if(stringEscapes, end, [&](const auto& entry) {
            return entry.second == character.unicode();
        });
        if (escape != end) {
            escaped += u'\\';
            escaped += QChar(escape->first);
        } else {
            escaped += character;
        }
    }
    return escaped;
}

QString unescapedString(const QString& value) {
    QString unescaped;
    for (qsizetype index = 0; index < value.size(); ++index) {
        const auto* const escape =
            value[index] != u'\\' || index + 1 == value.size()
                ? std::end(stringEscapes)
                : std::find_if(std::begin(stringEscapes), std::end(stringEscapes),
                               [&](const auto& entry) { return entry.first == value[index + 1]; });
        if (escape != std::end(stringEscapes)) {
            unescaped += QChar(escape->second);
            ++index;
        } else {
            unescaped += value[index];
        }
    }
    return unescaped;
}

// Splits at unquoted blanks; none when a quote is left open.
std::optional<QStringList> splitArguments(const QString& command) {
    QStringList arguments;
    QString argument;
    bool inArgument = false;
    bool quoted = false;
    for (qsizetype index = 0; index < command.size(); ++index) {
        const QChar character = command[index];
        if (quoted) {
            if (character == u'"') {
                quoted = false;
            } else if (character == u'\\' && index + 1 < command.size()) {
                argument += command[++index];
            } else {
                argument += character;
            }
        } else if (character == u' ' || character == u'\t' || character == u'\n') {
            if (inArgument) {
                arguments.append(argument);
                argument.clear();
                inArgument = false;
            }
        } else {
            inArgument = true;
            if (character == u'"') {
                quoted = true;
            } else {
                argument += character;
            }
        }
    }
    if (quoted) {
        return std::nullopt;
    }
    if (inArgument) {
        arguments.append(argument);
    }
    return arguments;
}

bool isFieldCode(const QString& argument) {
    return argument.size() == 2 && argument[0] == u'%' && argument[1] != u'%';
}

} // namespace

QString desktopEntryExecValue(const QStringList& arguments) {
    QStringList quoted;
    for (const QString& argument : arguments) {
        QString withPercentDoubled = argument;
        withPercentDoubled.replace(u'%', QStringLiteral("%%"));
        quoted.append(quotedArgument(withPercentDoubled));
    }
    return escapedAsString(quoted.join(u' '));
}

std::optional<QStringList> desktopEntryExecArguments(const QString& value) {
    const std::optional<QStringList> split = splitArguments(unescapedString(value));
    if (!split) {
        return std::nullopt;
    }
    QStringList arguments;
    for (QString argument : *split) {
        if (!isFieldCode(argument)) {
            arguments.append(argument.replace(QStringLiteral("%%"), QStringLiteral("%")));
        }
    }
    return arguments;
}
