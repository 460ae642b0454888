#pragma once

#include <memory>

class QSystemTrayIcon;

// Which of Qt's two tray icons a QSystemTrayIcon is: a StatusNotifier item,
// drawn by the desktop's host, or an icon Qt draws itself and embeds in an
// XEmbed tray. Qt asks the platform theme at each new icon, and the theme
// settles the answer once per process, at its first question, by whether a
// StatusNotifier host is registered then: an icon made anew is of the same
// kind. These make an icon of the kind asked for, whichever tray came first.
namespace TrayIconBackend {

enum class Kind { statusNotifier, xembed };

// An XEmbed icon never asks the theme, so the question stays open until a
// StatusNotifier icon is first asked for; ask for one only while a host is
// registered. Where the theme has settled on XEmbed already (something else
// made a tray icon first), a StatusNotifier icon comes out as XEmbed:
// `kindOf` tells.
std::unique_ptr<QSystemTrayIcon> make(Kind kind);
Kind kindOf(const QSystemTrayIcon& icon);

} // namespace TrayIconBackend
