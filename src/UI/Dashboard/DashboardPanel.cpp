#include "UI/Dashboard/DashboardPanel.h"

#include "UI/Dashboard/DashboardHeader.h"
#include "UI/Dashboard/LocationPermissionCard.h"
#include "UI/Dashboard/MonitoringSwitchRow.h"
#include "UI/Ground/PopoverTheme.h"
#include "UI/Ground/SpringFadeIn.h"
#include "UI/Popover/InlineMessageRow.h"
#include "UI/Popover/MetricRow.h"
#include "UI/Popover/MetricTrendRow.h"
#include "UI/Popover/PlainGroupBox.h"
#include "UI/Popover/PopoverPushButton.h"
#include "UI/Popover/SectionDivider.h"
#include "UI/Popover/WiFiNetworkHeaderRow.h"

#include <QHBoxLayout>
#include <QVBoxLayout>

namespace {

constexpr int sectionSpacing = 12;

MetricTrendRow* emptyTrendRow() {
    return new MetricTrendRow(QString(), QString(), {}, std::nullopt, QColor());
}

// The rows of a section, 8 pt apart and 4 pt below the title: trend rows at
// their fixed width from the leading edge, plain rows across the width.
QWidget* sectionRows(const std::vector<QWidget*>& rows) {
    auto* content = new QWidget;
    auto* layout = new QVBoxLayout(content);
    layout->setContentsMargins(0, 4, 0, 0);
    layout->setSpacing(8);
    for (QWidget* row : rows) {
        const bool isTrendRow = qobject_cast<MetricTrendRow*>(row) != nullptr;
        layout->addWidget(row, 0, isTrendRow ? Qt::AlignLeft : Qt::Alignment());
    }
    return content;
}

void showLine(MetricTrendRow* row, const MetricTrendLine& line) {
    row->setTitle(line.title);
    row->setValue(line.value);
    row->setSeries(line.samples, line.yDomain, line.strokeColor);
}

} // namespace

DashboardPanel::DashboardPanel(Actions actions, const QMargins& padding, QWidget* parent)
    : QWidget(parent), header_(new DashboardHeader(std::move(actions.onOpenToolbox),
                                                   std::move(actions.onOpenSettings))),
      monitoringRow_(new MonitoringSwitchRow(std::move(actions.monitoringEnabled))) {
    // The header begins in the padding, where the brand mark is drawn; the
    // rest keeps to the padded column.
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(padding.left() - DashboardHeader::leadingOverhang, padding.top(),
                               padding.right(), padding.bottom());
    layout->setSpacing(sectionSpacing);
    layout->addWidget(header_);
    auto* column = new QVBoxLayout;
    column->setContentsMargins(DashboardHeader::leadingOverhang, 0, 0, 0);
    column->setSpacing(sectionSpacing);
    layout->addLayout(column);
    layout->addStretch(1);

    column->addWidget(monitoringRow_);
    for (InlineMessageRow*& row : messageRows_) {
        row = new InlineMessageRow(QString(), QColor());
        row->hide();
        column->addWidget(row);
    }
    column->addWidget(makeNetworkSection());
    column->addWidget(makeWiFiSection());
    column->addWidget(new SectionDivider);
    column->addWidget(makeLatencySection());
    column->addWidget(new SectionDivider);
    column->addWidget(makeDNSSection());
    column->addWidget(new SectionDivider);
    location_ = new LocationPermissionCard(std::move(actions.onLocationButton));
    column->addWidget(location_);
    column->addWidget(makeFooter(std::move(actions.onQuit)));
    messageFade_ = new SpringFadeIn(this);

    setContent(content_);
}

QWidget* DashboardPanel::makeNetworkSection() {
    networkHeader_ = new WiFiNetworkHeaderRow(std::nullopt, false);
    auto* section = new QWidget;
    auto* layout = new QVBoxLayout(section);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(8);
    layout->addWidget(new SectionDivider);
    layout->addWidget(networkHeader_);
    layout->addWidget(new SectionDivider);
    return section;
}

QWidget* DashboardPanel::makeWiFiSection() {
    std::vector<QWidget*> rows;
    for (MetricTrendRow*& row : wifiRows_) {
        row = emptyTrendRow();
        rows.push_back(row);
    }
    return new PlainGroupBox(std::nullopt, sectionRows(rows));
}

QWidget* DashboardPanel::makeLatencySection() {
    std::vector<QWidget*> rows;
    for (MetricTrendRow*& row : latencyRows_) {
        row = emptyTrendRow();
        rows.push_back(row);
    }
    packetLoss_ = new MetricRow(QStringLiteral("Packet Loss"), QString());
    rows.push_back(packetLoss_);
    return new PlainGroupBox(QStringLiteral("Latency"), sectionRows(rows));
}

QWidget* DashboardPanel::makeDNSSection() {
    domain_ = new MetricRow(QStringLiteral("Domain"), QString());
    lookup_ = emptyTrendRow();
    return new PlainGroupBox(QStringLiteral("DNS"), sectionRows({domain_, lookup_}));
}

QWidget* DashboardPanel::makeFooter(std::function<void()> onQuit) {
    quit_ = new PopoverPushButton(QStringLiteral("Quit"), PopoverPushButton::Style::bordered,
                                  PopoverTheme::microFont(), std::move(onQuit));
    auto* footer = new QWidget;
    auto* layout = new QHBoxLayout(footer);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addStretch(1);
    layout->addWidget(quit_);
    return footer;
}

void DashboardPanel::setContent(const DashboardContent& content) {
    const bool hasSwitchedMonitoring = content.isMonitoringEnabled != content_.isMonitoringEnabled;
    content_ = content;
    header_->setHealthState(content.healthState);
    monitoringRow_->setState(content.isMonitoringEnabled, content.monitoringCapsuleText);
    const std::vector<QWidget*> appeared = showMessages(content.messages);
    if (hasSwitchedMonitoring && isVisible() && !appeared.empty()) {
        messageFade_->start(appeared, Springs::stateChange);
    }
    networkHeader_->setInputs(content.wifiSnapshot, content.isWiFiConnected);
    for (std::size_t index = 0; index < wifiRows_.size(); ++index) {
        showLine(wifiRows_[index], content.wifiLines[index]);
    }
    for (std::size_t index = 0; index < latencyRows_.size(); ++index) {
        showLine(latencyRows_[index], content.latencyLines[index]);
    }
    packetLoss_->setValue(content.packetLossValue);
    domain_->setValue(content.dnsDomain);
    showLine(lookup_, content.dnsLookupLine);
    location_->setContent(content.location);
}

std::vector<QWidget*> DashboardPanel::showMessages(const std::vector<DashboardMessage>& messages) {
    std::vector<QWidget*> appeared;
    for (std::size_t index = 0; index < messageRows_.size(); ++index) {
        InlineMessageRow* row = messageRows_[index];
        const bool isShown = index < messages.size();
        if (isShown) {
            row->setMessage(messages[index].text, messages[index].accentColor);
            if (row->isHidden()) {
                appeared.push_back(row);
            }
        }
        row->setVisible(isShown);
    }
    return appeared;
}

bool DashboardPanel::isFadingInMessages() const {
    return messageFade_->isRunning();
}

std::vector<InlineMessageRow*> DashboardPanel::shownMessageRows() const {
    std::vector<InlineMessageRow*> shown;
    for (InlineMessageRow* row : messageRows_) {
        if (!row->isHidden()) {
            shown.push_back(row);
        }
    }
    return shown;
}
