#pragma once

#include "UI/Ground/WindowBorderedButton.h"

// The window's scan button: its title in semibold on a faint rounded
// rectangle outlined in the panel border colour.
class ChannelScanActionButton : public WindowBorderedButton {
    Q_OBJECT
public:
    explicit ChannelScanActionButton(const QString& title, QWidget* parent = nullptr);
};
