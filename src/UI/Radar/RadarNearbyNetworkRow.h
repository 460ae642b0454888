#pragma once

#include "UI/Radar/RadarNearbyRowContent.h"

#include <QWidget>

class OneLineLabel;

// One network of the radar's nearby list: its name over its channel and
// band, and its signal on the right, on a faint rounded row. The name is
// whatever the access point announces: drawn as plain text, cut to fit.
class RadarNearbyNetworkRow : public QWidget {
    Q_OBJECT
public:
    explicit RadarNearbyNetworkRow(QWidget* parent = nullptr);

    void setContent(const RadarNearbyRowContent& content);
    const RadarNearbyRowContent& content() const { return content_; }

    OneLineLabel* ssidLabel() const { return ssid_; }
    OneLineLabel* channelLabel() const { return channel_; }
    OneLineLabel* signalLabel() const { return signal_; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    RadarNearbyRowContent content_;
    OneLineLabel* ssid_;
    OneLineLabel* channel_;
    OneLineLabel* signal_;
};
