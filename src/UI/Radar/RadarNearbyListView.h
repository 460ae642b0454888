#pragma once

#include "UI/Radar/RadarNearbyRowContent.h"

#include <vector>

#include <QWidget>

class OneLineLabel;
class QScrollArea;
class QVBoxLayout;
class RadarNearbyNetworkRow;

// The nearby networks, strongest first, in a region of fixed height that
// scrolls (without visible scroll bars) when they do not fit; while there
// are none, one line of text in their place. Rows are matched to networks
// by position, never by id: ids of networks without a BSSID can repeat.
class RadarNearbyListView : public QWidget {
    Q_OBJECT
public:
    static constexpr int regionHeight = 106;

    explicit RadarNearbyListView(QWidget* parent = nullptr);

    void setContent(const std::vector<RadarNearbyRowContent>& rows, const QString& placeholder);

    // The rows on show, top to bottom; empty while the placeholder shows.
    std::vector<RadarNearbyNetworkRow*> rows() const;
    OneLineLabel* placeholderLabel() const { return placeholder_; }
    QScrollArea* scrollArea() const { return scrollArea_; }

private:
    OneLineLabel* placeholder_;
    QScrollArea* scrollArea_;
    QVBoxLayout* rowLayout_;
    std::vector<RadarNearbyNetworkRow*> rows_;
};
