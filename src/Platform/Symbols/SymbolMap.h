#pragma once

#include <optional>

#include <QString>

// The symbol names the views use, mapped to the Material Icons ligature that
// stands in for each.
namespace SymbolMap {

// The ligature for `symbolName`, or nothing for a name this map does not know.
std::optional<QString> ligature(const QString& symbolName);

} // namespace SymbolMap
