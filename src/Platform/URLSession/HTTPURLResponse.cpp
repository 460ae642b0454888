#include "Platform/URLSession/HTTPURLResponse.h"

std::optional<QByteArray> HTTPURLResponse::value(const QByteArray& field) const {
    for (const auto& [name, value] : headerFields) {
        if (name.compare(field, Qt::CaseInsensitive) == 0) {
            return value;
        }
    }
    return std::nullopt;
}
