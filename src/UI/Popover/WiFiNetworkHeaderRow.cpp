#include "UI/Popover/WiFiNetworkHeaderRow.h"

#include "UI/Ground/Capsule.h"
#include "UI/Ground/Dot.h"
#include "UI/Ground/OneLineLabel.h"
#include "UI/Ground/PopoverTheme.h"
#include "UI/Ground/SymbolButton.h"
#include "UI/Ground/SystemFont.h"
#include "UI/Popover/ChannelInfoPopover.h"
#include "UI/Popover/WiFiNetworkHeaderModel.h"

#include <QHBoxLayout>

namespace {

constexpr int dotDiameter = 8;
constexpr int nameSize = 17;
constexpr int infoSymbolSize = 11;

} // namespace

WiFiNetworkHeaderRow::WiFiNetworkHeaderRow(const std::optional<WiFiSnapshot>& snapshot,
                                           bool isConnected, QWidget* parent)
    : QWidget(parent), dot_(new Dot(dotDiameter, QColor())),
      name_(new OneLineLabel(QString(), SystemFont::font(nameSize, QFont::DemiBold),
                             PopoverTheme::primaryText())),
      capsule_(new Capsule(PopoverTheme::capsuleSurface(), QMargins(8, 3, 8, 3))),
      band_(new OneLineLabel(QString(), PopoverTheme::microFont(), PopoverTheme::secondaryText())),
      infoButton_(new SymbolButton(QStringLiteral("info.circle"), infoSymbolSize,
                                   PopoverTheme::secondaryText(),
                                   QStringLiteral("Show channel details"))),
      popover_(new ChannelInfoPopover(this)) {
    band_->setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
    capsule_->contentLayout()->setSpacing(4);
    capsule_->contentLayout()->addWidget(band_, 0, Qt::AlignVCenter);
    capsule_->contentLayout()->addWidget(infoButton_, 0, Qt::AlignVCenter);

    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(8);
    layout->addWidget(dot_, 0, Qt::AlignVCenter);
    layout->addWidget(name_, 0, Qt::AlignVCenter);
    layout->addWidget(capsule_, 0, Qt::AlignVCenter);
    layout->addStretch(1);

    connect(infoButton_, &QAbstractButton::clicked, this,
            &WiFiNetworkHeaderRow::toggleChannelInfoPopover);
    connect(popover_, &ChannelInfoPopover::dismissed, this,
            [this] { isChannelInfoPopoverPresented_ = false; });
    setInputs(snapshot, isConnected);
}

WiFiNetworkHeaderRow::~WiFiNetworkHeaderRow() {
    // The pop-up is destroyed with the row; its last hide must not reach the row.
    disconnect(popover_, nullptr, this, nullptr);
}

void WiFiNetworkHeaderRow::setInputs(const std::optional<WiFiSnapshot>& snapshot,
                                     bool isConnected) {
    dot_->setColor(WiFiNetworkHeaderModel::connectionDotColor(isConnected));
    name_->setText(WiFiNetworkHeaderModel::ssidName(snapshot));
    const QString details = WiFiNetworkHeaderModel::channelDetailsText(snapshot);
    infoButton_->setToolTip(details);
    popover_->setText(details);
    const std::optional<QString> band = WiFiNetworkHeaderModel::bandText(snapshot);
    band_->setText(band.value_or(QString()));
    capsule_->setVisible(band.has_value());
    if (!band) {
        // The button goes with the capsule, and its pop-up with it.
        popover_->hide();
    }
}

QString WiFiNetworkHeaderRow::ssidText() const {
    return name_->text();
}
QString WiFiNetworkHeaderRow::channelDetailsText() const {
    return popover_->text();
}
bool WiFiNetworkHeaderRow::showsChannelCapsule() const {
    return !capsule_->isHidden();
}
QString WiFiNetworkHeaderRow::bandText() const {
    return band_->text();
}
QColor WiFiNetworkHeaderRow::dotColor() const {
    return dot_->color();
}

void WiFiNetworkHeaderRow::toggleChannelInfoPopover() {
    if (isChannelInfoPopoverPresented_) {
        popover_->hide();
        return;
    }
    isChannelInfoPopoverPresented_ = true;
    popover_->presentBelow(infoButton_);
}
