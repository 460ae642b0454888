#pragma once

#include "UI/MenuBar/MenuBarIconStyle.h"

#include <functional>
#include <map>
#include <optional>
#include <tuple>

#include <QIcon>
#include <QString>

// The status item's pictures, each look composed once and then handed out
// again. The tray draws and exports an icon through Qt's pixmap cache, which
// keys its scaled copies by the picture's identity and keeps them after the
// icon is gone: a fresh picture per change would pile up copies of the same
// few looks for as long as the application runs.
class StatusIconCache {
public:
    using Compose =
        std::function<std::optional<QIcon>(const MenuBarIconStyle&, const QString& description)>;

    explicit StatusIconCache(Compose compose) : compose_(std::move(compose)) {}

    // The picture for a look; none when it cannot be composed.
    std::optional<QIcon> icon(const MenuBarIconStyle& style, const QString& description);

private:
    using Look = std::tuple<QString, MenuBarBadgeTint, QString>;

    Compose compose_;
    std::map<Look, QIcon> icons_;
};
