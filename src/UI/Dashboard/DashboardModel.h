#pragma once

#include "UI/Dashboard/DashboardContent.h"
#include "UI/Dashboard/DashboardInputs.h"

#include <QLocale>

// The dashboard's texts, series, vertical ranges and message rows, as pure
// functions of the published values. Numbers follow `locale`.
namespace DashboardModel {

DashboardContent content(const DashboardInputs& inputs, const QLocale& locale = QLocale());

// "Monitoring" while monitoring is on, "Paused" while it is off.
QString monitoringCapsuleText(bool isMonitoringEnabled);

// In order, each only under its condition: the paused status (orange) while
// monitoring is off; the Wi-Fi connection message (secondary) while it is on;
// the captive-portal warning (red).
std::vector<DashboardMessage> messages(const DashboardInputs& inputs);

std::array<MetricTrendLine, 4> wifiLines(const DashboardInputs& inputs);
std::array<MetricTrendLine, 3> latencyLines(const DashboardInputs& inputs,
                                            const QLocale& locale = QLocale());
MetricTrendLine dnsLookupLine(const DashboardInputs& inputs, const QLocale& locale = QLocale());

// The platform's secondary label colour in the dark appearance.
QColor secondaryAccentColor();

} // namespace DashboardModel
