#include "UI/Radar/RadarNearbyListView.h"

#include "Platform/AppKit/AccessibleRole.h"
#include "UI/Ground/FocusRing.h"
#include "UI/Ground/OneLineLabel.h"
#include "UI/Ground/SystemFont.h"
#include "UI/Radar/RadarNearbyNetworkRow.h"
#include "UI/Radar/WiFiRadarTheme.h"

#include <QScrollArea>
#include <QVBoxLayout>

namespace {

constexpr int rowSpacing = 6;

} // namespace

RadarNearbyListView::RadarNearbyListView(QWidget* parent)
    : QWidget(parent), placeholder_(new OneLineLabel(QString(), SystemFont::font(12),
                                                     WiFiRadarTheme::secondaryText())),
      scrollArea_(new QScrollArea) {
    setFixedHeight(regionHeight);

    auto* rowsWidget = new QWidget;
    rowLayout_ = new QVBoxLayout(rowsWidget);
    rowLayout_->setContentsMargins(0, 0, 0, 0);
    rowLayout_->setSpacing(rowSpacing);
    rowLayout_->addStretch(1);

    scrollArea_->setFrameShape(QFrame::NoFrame);
    scrollArea_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    scrollArea_->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    scrollArea_->setWidgetResizable(true);
    scrollArea_->setAutoFillBackground(false);
    scrollArea_->viewport()->setAutoFillBackground(false);
    scrollArea_->setWidget(rowsWidget);
    // The scroll area fills its content by default; the sidebar shows through.
    rowsWidget->setAutoFillBackground(false);
    // A Tab stop, where the arrow keys scroll the list.
    AccessibleRole::set(*scrollArea_, QAccessible::List);
    scrollArea_->setAccessibleName(QStringLiteral("Nearby Networks"));
    new FocusRing(scrollArea_, FocusRing::defaultColor(), FocusRing::Placement::insideEdge);

    auto* placeholderBox = new QWidget;
    auto* placeholderLayout = new QVBoxLayout(placeholderBox);
    placeholderLayout->setContentsMargins(10, 6, 10, 6);
    placeholderLayout->addWidget(placeholder_);
    placeholderLayout->addStretch(1);
    placeholder_->setParent(placeholderBox);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(placeholderBox);
    layout->addWidget(scrollArea_);
    setContent({}, QString());
}

void RadarNearbyListView::setContent(const std::vector<RadarNearbyRowContent>& rows,
                                     const QString& placeholder) {
    placeholder_->setText(placeholder);
    const bool isEmpty = rows.empty();
    placeholder_->parentWidget()->setVisible(isEmpty);
    scrollArea_->setVisible(!isEmpty);

    while (rows_.size() > rows.size()) {
        delete rows_.back();
        rows_.pop_back();
    }
    while (rows_.size() < rows.size()) {
        auto* row = new RadarNearbyNetworkRow;
        rowLayout_->insertWidget(static_cast<int>(rows_.size()), row);
        rows_.push_back(row);
    }
    for (std::size_t index = 0; index < rows.size(); ++index) {
        rows_[index]->setContent(rows[index]);
    }
}

std::vector<RadarNearbyNetworkRow*> RadarNearbyListView::rows() const {
    return scrollArea_->isHidden() ? std::vector<RadarNearbyNetworkRow*>{} : rows_;
}
