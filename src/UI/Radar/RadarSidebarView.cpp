#include "UI/Radar/RadarSidebarView.h"

#include "UI/Ground/Capsule.h"
#include "UI/Ground/ColorOpacity.h"
#include "UI/Ground/HorizontalRule.h"
#include "UI/Ground/OneLineLabel.h"
#include "UI/Ground/SymbolView.h"
#include "UI/Ground/SystemFont.h"
#include "UI/Ground/WrappingLabel.h"
#include "UI/Radar/RadarMetricCard.h"
#include "UI/Radar/RadarNearbyListView.h"
#include "UI/Radar/WiFiRadarTheme.h"

#include <QHBoxLayout>
#include <QVBoxLayout>

namespace {

QVBoxLayout* column(QWidget* owner, int spacing) {
    auto* layout = new QVBoxLayout(owner);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(spacing);
    return layout;
}

QHBoxLayout* row(int spacing) {
    auto* layout = new QHBoxLayout;
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(spacing);
    return layout;
}

} // namespace

RadarSidebarView::RadarSidebarView(QWidget* parent) : QWidget(parent) {
    QVBoxLayout* layout = column(this, 10);
    layout->addWidget(makeTitleBlock());
    layout->addWidget(new HorizontalRule(WiFiRadarTheme::border()));
    layout->addWidget(makeNetworkBlock());
    layout->addWidget(new HorizontalRule(WiFiRadarTheme::border()));
    for (RadarMetricCard*& card : cards_) {
        card = new RadarMetricCard;
        layout->addWidget(card);
    }
    layout->addWidget(makeNearbyBlock());
    layout->addStretch(1);
    setContent(WiFiRadarContent{});
}

QWidget* RadarSidebarView::makeTitleBlock() {
    auto* block = new QWidget;
    QVBoxLayout* layout = column(block, 6);

    QHBoxLayout* title = row(8);
    title->addWidget(new SymbolView(QStringLiteral("scope"), 22, WiFiRadarTheme::primaryText()));
    title->addWidget(new OneLineLabel(QStringLiteral("Wi-Fi Radar"), SystemFont::font(22),
                                      WiFiRadarTheme::primaryText()),
                     1);
    layout->addLayout(title);

    layout->addWidget(new WrappingLabel(
        QStringLiteral("Move through your space to find better coverage. Radar blends live link "
                       "quality with nearby network pressure."),
        SystemFont::font(12), WiFiRadarTheme::secondaryText()));

    QHBoxLayout* hint = row(6);
    keepGoingSymbol_ = new SymbolView(QStringLiteral("arrow.forward.circle.fill"), 13, QColor());
    goBackSymbol_ =
        new SymbolView(QStringLiteral("arrow.uturn.backward.circle.fill"), 13, QColor());
    hintText_ = new OneLineLabel(QString(), SystemFont::monospaced(12, QFont::DemiBold), QColor());
    hint->addWidget(keepGoingSymbol_);
    hint->addWidget(goBackSymbol_);
    hint->addWidget(hintText_, 1);
    layout->addLayout(hint);
    return block;
}

QWidget* RadarSidebarView::makeNetworkBlock() {
    auto* block = new QWidget;
    QVBoxLayout* layout = column(block, 3);

    networkName_ = new OneLineLabel(QString(), SystemFont::monospaced(18, QFont::Medium),
                                    WiFiRadarTheme::primaryText());
    currentBadge_ =
        new Capsule(withOpacity(WiFiRadarTheme::radarGreen(), 0.95), QMargins(6, 2, 6, 2));
    currentBadge_->contentLayout()->addWidget(new OneLineLabel(
        QStringLiteral("Current"), SystemFont::font(9, QFont::DemiBold), Qt::black));
    QHBoxLayout* name = row(8);
    name->addWidget(networkName_);
    name->addWidget(currentBadge_);
    name->addStretch(1);
    layout->addLayout(name);

    channel_ = new OneLineLabel(QString(), SystemFont::monospaced(12, QFont::Medium),
                                WiFiRadarTheme::secondaryText());
    layout->addWidget(channel_);
    return block;
}

QWidget* RadarSidebarView::makeNearbyBlock() {
    auto* block = new QWidget;
    QVBoxLayout* layout = column(block, 6);
    layout->addWidget(new OneLineLabel(QStringLiteral("Nearby Networks"),
                                       SystemFont::font(12, QFont::DemiBold),
                                       WiFiRadarTheme::secondaryText()));
    nearbyList_ = new RadarNearbyListView;
    layout->addWidget(nearbyList_);
    return block;
}

void RadarSidebarView::setContent(const WiFiRadarContent& content) {
    setHint(content);
    networkName_->setText(content.networkName);
    currentBadge_->setVisible(content.showsCurrentBadge);
    channel_->setText(content.channelAndBand);
    for (std::size_t index = 0; index < cards_.size(); ++index) {
        cards_[index]->setContent(content.metricCards[index], content.qualityTint);
    }
    nearbyList_->setContent(content.nearbyRows, content.nearbyPlaceholder);
}

// The hint's colour follows the score, not the hint.
void RadarSidebarView::setHint(const WiFiRadarContent& content) {
    const bool goesBack = content.hint == WiFiRadarScoring::DirectionHint::goBack;
    keepGoingSymbol_->setVisible(!goesBack);
    goBackSymbol_->setVisible(goesBack);
    hintSymbol()->setColor(content.qualityTint);
    hintText_->setText(content.hintText);
    hintText_->setColor(content.qualityTint);
}

SymbolView* RadarSidebarView::hintSymbol() const {
    return goBackSymbol_->isHidden() ? keepGoingSymbol_ : goBackSymbol_;
}
