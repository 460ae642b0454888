#include "UI/Dashboard/DashboardHeader.h"

#include "UI/Dashboard/BrandLogo.h"
#include "UI/Ground/OneLineLabel.h"
#include "UI/Ground/PopoverTheme.h"
#include "UI/Popover/HeaderIconButton.h"
#include "UI/Popover/HealthStateBadge.h"

#include <QHBoxLayout>
#include <QVBoxLayout>

namespace {

constexpr int logoHeight = 30;
// The widget starts 4 pt left of the dashboard's column (its owner places it
// so), where the mark is drawn; the subtitle keeps to the column.
constexpr int logoShift = DashboardHeader::leadingOverhang;
constexpr int logoBadgeGap = 4;

} // namespace

DashboardHeader::DashboardHeader(std::function<void()> onOpenToolbox,
                                 std::function<void()> onOpenSettings, QWidget* parent)
    : QWidget(parent), logo_(new BrandLogo(logoHeight)),
      badge_(new HealthStateBadge(HealthState::disconnected)),
      toolbox_(new HeaderIconButton(QStringLiteral("wrench.and.screwdriver"),
                                    QStringLiteral("Open Toolbox"), std::move(onOpenToolbox))),
      settings_(new HeaderIconButton(QStringLiteral("gearshape"), QStringLiteral("Open Settings"),
                                     std::move(onOpenSettings))) {
    toolbox_->setToolTip(QStringLiteral("Open diagnostics toolbox."));
    settings_->setToolTip(QStringLiteral("Open settings."));

    auto* brand = new QHBoxLayout;
    brand->setContentsMargins(0, 0, 0, 0);
    brand->setSpacing(logoBadgeGap);
    brand->addWidget(logo_, 0, Qt::AlignVCenter);
    brand->addWidget(badge_, 0, Qt::AlignVCenter);
    brand->addStretch(1);

    auto* titles = new QVBoxLayout;
    titles->setContentsMargins(0, 0, 0, 0);
    titles->setSpacing(2);
    titles->addLayout(brand);
    auto* subtitle = new QHBoxLayout;
    subtitle->setContentsMargins(logoShift, 0, 0, 0);
    subtitle->addWidget(new OneLineLabel(QStringLiteral("Live Wi-Fi diagnostics"),
                                         PopoverTheme::subtitleFont(),
                                         PopoverTheme::secondaryText()));
    titles->addLayout(subtitle);

    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(10);
    layout->addLayout(titles, 1);
    layout->addWidget(toolbox_, 0, Qt::AlignTop);
    layout->addWidget(settings_, 0, Qt::AlignTop);
}

void DashboardHeader::setHealthState(HealthState state) {
    badge_->setState(state);
}
