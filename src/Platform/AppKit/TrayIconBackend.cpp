#include "Platform/AppKit/TrayIconBackend.h"

#include <utility>

#include <QScopeGuard>
#include <QSystemTrayIcon>
#include <QtGui/private/qguiapplication_p.h>
#include <QtGui/qpa/qplatformtheme.h>
#include <QtWidgets/private/qsystemtrayicon_p.h>

namespace TrayIconBackend {

// A new icon takes its platform icon from the platform theme, at once and
// only then. Qt's base theme makes none, and an icon without one is drawn by
// Qt itself: the base theme stands in for the platform's while an XEmbed
// icon is made, on this thread, with nothing else running.
std::unique_ptr<QSystemTrayIcon> make(Kind kind) {
    if (kind == Kind::statusNotifier) {
        return std::make_unique<QSystemTrayIcon>();
    }
    QPlatformTheme drawnByQt;
    QPlatformTheme* const platformTheme =
        std::exchange(QGuiApplicationPrivate::platform_theme, &drawnByQt);
    const auto restore =
        qScopeGuard([platformTheme] { QGuiApplicationPrivate::platform_theme = platformTheme; });
    return std::make_unique<QSystemTrayIcon>();
}

// Qt exports no type information for its private classes, which the
// undefined-behaviour sanitizer's check of this cast would need.
__attribute__((no_sanitize("vptr"))) Kind kindOf(const QSystemTrayIcon& icon) {
    const auto* parts = static_cast<const QSystemTrayIconPrivate*>(QObjectPrivate::get(&icon));
    return parts->qpa_sys != nullptr ? Kind::statusNotifier : Kind::xembed;
}

} // namespace TrayIconBackend
