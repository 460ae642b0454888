#pragma once

#include <optional>

#include <QString>

// What the dashboard's location card says for a permission status, and the
// title of its button when there is something to do.
struct LocationCardContent {
    QString text;
    std::optional<QString> buttonTitle;

    bool operator==(const LocationCardContent&) const = default;
};
