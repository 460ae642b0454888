#pragma once

#include <QFont>
#include <QString>
#include <QStringList>

// The font faces the views are drawn with, found by family through the
// system's font configuration. A missing face is a setup fault: the program
// would otherwise draw with whatever face the system substitutes.
namespace FontFaces {

inline const QString interfaceFamily = QStringLiteral("Inter");
inline const QString monospacedFamily = QStringLiteral("JetBrains Mono");

// One line per required face that does not resolve to itself, naming the face
// and the package that provides it; empty when every face is present.
QStringList missingFaces();

// Logs the missing faces once per process, on the first call.
void warnOnceIfMissing();

} // namespace FontFaces
