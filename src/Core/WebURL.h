#pragma once

#include <optional>

#include <QString>
#include <QUrl>

// The URLs the update check fetches and opens: absolute http or https URLs with
// a host. Texts from outside are parsed strictly: a malformed text is no URL.
namespace WebURL {

// The text as a URL, absolute or relative; none when it is not well formed.
std::optional<QUrl> parse(const QString& text);

// Whether the scheme, in any letter case, is http or https and a host is named.
bool isWebURL(const QUrl& url);

} // namespace WebURL
