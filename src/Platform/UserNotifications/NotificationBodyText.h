#pragma once

#include <QString>

// A notification body is plain text: it is cut to a bounded length, and a
// server that reads bodies as markup gets its markup characters escaped, so
// that text from outside cannot format or hide parts of the notification.
namespace NotificationBodyText {

// Characters kept, the ellipsis of a cut body included.
inline constexpr qsizetype maximumLength = 512;

QString prepared(const QString& body, bool serverInterpretsMarkup);

} // namespace NotificationBodyText
