#include "Platform/Symbols/SymbolMap.h"

#include <array>
#include <string_view>

namespace {

struct Entry {
    std::string_view symbolName;
    std::string_view ligature;
};

constexpr std::array entries{
    Entry{"wrench.and.screwdriver", "handyman"},
    Entry{"gearshape", "settings"},
    Entry{"chevron.left", "chevron_left"},
    Entry{"chevron.right", "chevron_right"},
    Entry{"scope", "gps_fixed"},
    Entry{"dot.radiowaves.left.and.right", "wifi_tethering"},
    Entry{"speedometer", "speed"},
    Entry{"point.3.connected.trianglepath.dotted", "hub"},
    Entry{"wifi.exclamationmark", "signal_wifi_statusbar_connected_no_internet_4"},
    Entry{"wifi", "wifi"},
    Entry{"square.and.arrow.up.on.square", "ios_share"},
    Entry{"square.and.arrow.up", "ios_share"},
    Entry{"square.on.square", "content_copy"},
    Entry{"doc.on.doc", "file_copy"},
    Entry{"info.circle", "info_outline"},
    Entry{"slider.horizontal.3", "tune"},
    Entry{"exclamationmark.triangle.fill", "warning"},
    Entry{"exclamationmark.circle.fill", "error"},
    Entry{"checkmark.circle.fill", "check_circle"},
    Entry{"checkmark.seal.fill", "verified"},
    Entry{"xmark.circle.fill", "cancel"},
    Entry{"pause.circle.fill", "pause_circle_filled"},
    Entry{"arrow.down.circle.fill", "arrow_circle_down"},
    Entry{"arrow.forward.circle.fill", "arrow_circle_right"},
    Entry{"arrow.uturn.backward.circle.fill", "replay_circle_filled"},
    Entry{"arrow.clockwise", "refresh"},
    Entry{"arrow.down", "arrow_downward"},
    Entry{"arrow.up", "arrow_upward"},
};

QString fromLatin1(std::string_view text) {
    return QString::fromLatin1(text.data(), static_cast<qsizetype>(text.size()));
}

} // namespace

namespace SymbolMap {

std::optional<QString> ligature(const QString& symbolName) {
    for (const Entry& entry : entries) {
        if (symbolName == fromLatin1(entry.symbolName)) {
            return fromLatin1(entry.ligature);
        }
    }
    return std::nullopt;
}

} // namespace SymbolMap
