#pragma once

#include <optional>

#include <QString>
#include <QStringList>

// The value of a desktop entry's Exec key that runs `arguments` (the program
// first) exactly: arguments with reserved characters are double-quoted with
// ", `, $ and \ escaped, "%" is doubled, and the result is escaped as a
// desktop entry string (backslashes doubled, control characters as \n, \t, \r).
QString desktopEntryExecValue(const QStringList& arguments);

// The arguments an Exec value runs, read back as a desktop reads them: string
// escapes first, then double-quoted arguments with their backslashes, "%%" as
// "%" and field codes ("%f", "%U", ...) left out. None when a quote is open.
std::optional<QStringList> desktopEntryExecArguments(const QString& value);
