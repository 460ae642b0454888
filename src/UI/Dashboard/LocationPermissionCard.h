#pragma once

#include "UI/Dashboard/LocationCardContent.h"

#include <functional>

#include <QWidget>

class PopoverPushButton;
class WrappingLabel;

// The dashboard's location card: its title, what the permission status means
// for the network names, and a button when the user can do something.
class LocationPermissionCard : public QWidget {
    Q_OBJECT
public:
    explicit LocationPermissionCard(std::function<void()> onButton, QWidget* parent = nullptr);

    void setContent(const LocationCardContent& content);

    WrappingLabel* textLabel() const { return text_; }
    // Hidden while there is nothing to do.
    PopoverPushButton* button() const { return button_; }

private:
    WrappingLabel* text_;
    PopoverPushButton* button_;
};
