#pragma once

#include <QString>
#include <QStringView>

// Whether a value that comes from outside (a stored ping target, a test
// domain) may be passed to a tool as its operand: not empty, not starting with
// one of `optionPrefixes` (where the tool would read it as an option), and
// without whitespace or control characters.
bool isSafeCommandOperand(const QString& operand, QStringView optionPrefixes);
