#pragma once

#include "Core/DomainModels.h"

#include <functional>

#include <QWidget>

class BrandLogo;
class HeaderIconButton;
class HealthStateBadge;

// The dashboard's first line: the brand mark with the health badge close
// beside it over "Live Wi-Fi diagnostics", and at the trailing edge the
// toolbox and settings buttons.
class DashboardHeader : public QWidget {
    Q_OBJECT
public:
    // How far left of the dashboard's column the header begins: the brand
    // mark sits there.
    static constexpr int leadingOverhang = 4;

    DashboardHeader(std::function<void()> onOpenToolbox, std::function<void()> onOpenSettings,
                    QWidget* parent = nullptr);

    void setHealthState(HealthState state);

    BrandLogo* logo() const { return logo_; }
    HealthStateBadge* badge() const { return badge_; }
    HeaderIconButton* toolboxButton() const { return toolbox_; }
    HeaderIconButton* settingsButton() const { return settings_; }

private:
    BrandLogo* logo_;
    HealthStateBadge* badge_;
    HeaderIconButton* toolbox_;
    HeaderIconButton* settings_;
};
