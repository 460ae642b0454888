#include "Platform/ServiceManagement/DesktopEntryExec.h"

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

QString escapedAsString(const QString& value) {
    QString escaped;
    for (const QChar character : value) {
        switch (character.unicode()) {
        case u'\\':
            escaped += QStringLiteral("\\\\");
            break;
        case u'\n':
            escaped += QStringLiteral("\\n");
            break;
        case u'\t':
            escaped += QStringLiteral("\\t");
            break;
        case u'\r':
            escaped += QStringLiteral("\\r");
            break;
        default:
            escaped += character;
        }
    }
    return escaped;
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
