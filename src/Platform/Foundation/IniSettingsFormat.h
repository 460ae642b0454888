#pragma once

#include <QByteArray>
#include <QMap>
#include <QString>
#include <QVariant>

// The INI text QSettings writes on Linux (its native and INI formats alike),
// for the values Pelmor stores: text, flags (as text) and frames
// (`@Rect(x y w h)`). Top-level keys sit in `[General]`, a key "Group/name"
// under `[Group]`. Values are kept as they are written, so a value of a kind
// not known here (a hand edit, another version's) is written back unchanged.
namespace IniSettingsFormat {

// Full key ("batteryFriendly", "WindowFrames/radar") to its value as written
// after the "=". QSettings' order: top-level keys first, then by key.
using Entries = QMap<QString, QByteArray>;

// The entries of a file; lines that are not entries (comments, text without
// "=") are dropped, as QSettings drops them.
Entries parsed(const QByteArray& file);
QByteArray serialised(const Entries& entries);

// A value as QSettings reads it: text, a list of texts for unquoted commas,
// a rectangle, size or point, or none for "@Invalid()".
QVariant decoded(const QByteArray& written);
// Text (a flag's too), a rectangle, size or point as QSettings writes it.
QByteArray encoded(const QVariant& value);

} // namespace IniSettingsFormat
