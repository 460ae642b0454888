#pragma once

#include "Core/DomainModels.h"

#include <optional>

#include <QWidget>

class Capsule;
class ChannelInfoPopover;
class Dot;
class OneLineLabel;
class SymbolButton;

// The first line of the dashboard's Wi-Fi section: a connection dot, the
// network's name, and, when the band is known, a capsule with the band and a
// button whose tooltip and pop-up give the channel details.
class WiFiNetworkHeaderRow : public QWidget {
    Q_OBJECT
public:
    WiFiNetworkHeaderRow(const std::optional<WiFiSnapshot>& snapshot, bool isConnected,
                         QWidget* parent = nullptr);
    ~WiFiNetworkHeaderRow() override;

    void setInputs(const std::optional<WiFiSnapshot>& snapshot, bool isConnected);

    bool isChannelInfoPopoverPresented() const { return isChannelInfoPopoverPresented_; }

    QString ssidText() const;
    QString channelDetailsText() const;
    bool showsChannelCapsule() const;
    QString bandText() const;
    QColor dotColor() const;
    SymbolButton* infoButton() const { return infoButton_; }
    ChannelInfoPopover* channelInfoPopover() const { return popover_; }

private:
    void toggleChannelInfoPopover();

    Dot* dot_;
    OneLineLabel* name_;
    Capsule* capsule_;
    OneLineLabel* band_;
    SymbolButton* infoButton_;
    ChannelInfoPopover* popover_;
    bool isChannelInfoPopoverPresented_ = false;
};
