#include "Core/WebURL.h"

namespace WebURL {

std::optional<QUrl> parse(const QString& text) {
    QUrl url(text, QUrl::StrictMode);
    if (text.isEmpty() || !url.isValid()) {
        return std::nullopt;
    }
    return url;
}

bool isWebURL(const QUrl& url) {
    const QString scheme = url.scheme();
    const bool isWebScheme = scheme.compare(QLatin1String("http"), Qt::CaseInsensitive) == 0 ||
                             scheme.compare(QLatin1String("https"), Qt::CaseInsensitive) == 0;
    return url.isValid() && isWebScheme && !url.host().isEmpty();
}

} // namespace WebURL
