#pragma once

#include "Core/DiagnosticsExport/JSONEncodingError.h"
#include "Core/DiagnosticsExport/JSONValue.h"

#include <QByteArray>

// Writes JSON in the report's pretty form, as UTF-8: every object's members in ascending order
// of their keys' code points, each on a line of its own indented by two spaces per level, " : "
// between key and value, an empty object as "{}", no line break after the last brace. Reals in
// the shortest form that reads back (a whole real without a fraction), "/" escaped as "\/",
// characters outside ASCII as UTF-8. Independent of the C and Qt locales.
namespace PrettyJSONWriter {

// Throws JSONEncodingError for a real that is not finite or a text with an unpaired surrogate.
QByteArray write(const JSONValue& value);

} // namespace PrettyJSONWriter
