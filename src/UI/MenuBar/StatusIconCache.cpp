#include "UI/MenuBar/StatusIconCache.h"

std::optional<QIcon> StatusIconCache::icon(const MenuBarIconStyle& style,
                                           const QString& description) {
    const Look look{style.badgeSymbolName, style.badgeTint, description};
    if (const auto found = icons_.find(look); found != icons_.end()) {
        return found->second;
    }
    if (!compose_) {
        return std::nullopt;
    }
    std::optional<QIcon> composed = compose_(style, description);
    if (composed) {
        icons_.emplace(look, *composed);
    }
    return composed;
}
