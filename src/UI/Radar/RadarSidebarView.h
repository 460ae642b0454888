#pragma once

#include "UI/Radar/WiFiRadarContent.h"

#include <array>

#include <QWidget>

class Capsule;
class OneLineLabel;
class RadarMetricCard;
class RadarNearbyListView;
class SymbolView;
class WrappingLabel;

// The radar window's left-hand column: the title with the walking hint, the
// current network and its channel, the four metric cards and the nearby
// networks. It keeps nothing between redraws.
class RadarSidebarView : public QWidget {
    Q_OBJECT
public:
    explicit RadarSidebarView(QWidget* parent = nullptr);

    void setContent(const WiFiRadarContent& content);

    // The hint's symbol on show.
    SymbolView* hintSymbol() const;
    OneLineLabel* hintLabel() const { return hintText_; }
    OneLineLabel* networkNameLabel() const { return networkName_; }
    Capsule* currentBadge() const { return currentBadge_; }
    OneLineLabel* channelLabel() const { return channel_; }
    const std::array<RadarMetricCard*, 4>& metricCards() const { return cards_; }
    RadarNearbyListView* nearbyList() const { return nearbyList_; }

private:
    QWidget* makeTitleBlock();
    QWidget* makeNetworkBlock();
    QWidget* makeNearbyBlock();
    void setHint(const WiFiRadarContent& content);

    SymbolView* keepGoingSymbol_ = nullptr;
    SymbolView* goBackSymbol_ = nullptr;
    OneLineLabel* hintText_ = nullptr;
    OneLineLabel* networkName_ = nullptr;
    Capsule* currentBadge_ = nullptr;
    OneLineLabel* channel_ = nullptr;
    std::array<RadarMetricCard*, 4> cards_{};
    RadarNearbyListView* nearbyList_ = nullptr;
};
