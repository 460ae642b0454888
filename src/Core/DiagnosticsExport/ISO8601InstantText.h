#pragma once

#include "Core/Date.h"

#include <optional>

#include <QString>

// The instant in the ISO 8601 internet form in UTC, to whole seconds: 2026-03-04T05:06:07Z. A
// fraction of a second is dropped by flooring, so an instant half a second before 1970 is
// 1969-12-31T23:59:59Z. Independent of the machine's time zone and locale.
QString iso8601InstantText(Date instant);

// The instant a text of exactly that form names; none for any other text or an invalid date.
std::optional<Date> instantFromISO8601Text(const QString& text);
