#pragma once

#include <QColor>
#include <QString>

// One message line of the dashboard: its text and the colour of its dot.
struct DashboardMessage {
    QString text;
    QColor accentColor;

    bool operator==(const DashboardMessage&) const = default;
};
