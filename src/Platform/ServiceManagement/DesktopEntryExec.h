#pragma once

#include <QString>
#include <QStringList>

// The value of a desktop entry's Exec key that runs `arguments` (the program
// first) exactly: arguments with reserved characters are double-quoted with
// ", `, $ and \ escaped, "%" is doubled, and the result is escaped as a
// desktop entry string (backslashes doubled, control characters as \n, \t, \r).
QString desktopEntryExecValue(const QStringList& arguments);
