#include "Platform/URLSession/URLRequest.h"

namespace {
bool sameField(const QByteArray& first, const QByteArray& second) {
    return first.compare(second, Qt::CaseInsensitive) == 0;
}
} // namespace

void URLRequest::setValue(const QByteArray& value, const QByteArray& field) {
    headerFields.removeIf([&](const auto& entry) { return sameField(entry.first, field); });
    headerFields.append({field, value});
}

QByteArray URLRequest::value(const QByteArray& field) const {
    for (const auto& [name, value] : headerFields) {
        if (sameField(name, field)) {
            return value;
        }
    }
    return {};
}
