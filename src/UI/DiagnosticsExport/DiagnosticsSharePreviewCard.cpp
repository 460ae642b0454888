#include "UI/DiagnosticsExport/DiagnosticsSharePreviewCard.h"

#include "UI/DiagnosticsExport/DiagnosticsCardMetric.h"
#include "UI/DiagnosticsExport/DiagnosticsExportTheme.h"
#include "UI/DiagnosticsExport/DiagnosticsHealthBadge.h"
#include "UI/Ground/ColorOpacity.h"
#include "UI/Ground/HorizontalRule.h"
#include "UI/Ground/NamedColors.h"
#include "UI/Ground/OneLineLabel.h"
#include "UI/Ground/SystemFont.h"
#include "UI/Ground/WrappingLabel.h"

#include <QPainter>
#include <QPainterPath>
#include <QVBoxLayout>

namespace {

constexpr int metricCount = 7;

} // namespace

DiagnosticsSharePreviewCard::DiagnosticsSharePreviewCard(QWidget* parent) : QWidget(parent) {
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(12, 12, 12, 12);
    layout->setSpacing(10);
    layout->addWidget(makeHeader());
    layout->addWidget(new HorizontalRule(DiagnosticsExportTheme::panelBorder()));
    for (int index = 0; index < metricCount; ++index) {
        auto* row = new DiagnosticsCardMetric(QString(), QString());
        metricRows_.push_back(row);
        layout->addWidget(row);
    }
    layout->addWidget(new HorizontalRule(DiagnosticsExportTheme::panelBorder()));
    footer_ = new WrappingLabel(QStringLiteral("Updated "), SystemFont::font(10, QFont::Medium),
                                DiagnosticsExportTheme::secondaryText());
    layout->addWidget(footer_);
}

QWidget* DiagnosticsSharePreviewCard::makeHeader() {
    auto* header = new QWidget;
    auto* row = new QHBoxLayout(header);
    row->setContentsMargins(0, 0, 0, 0);
    auto* titles = new QVBoxLayout;
    titles->setSpacing(3);
    titles->addWidget(new OneLineLabel(QStringLiteral("pelmor"), SystemFont::font(15, QFont::Bold),
                                       DiagnosticsExportTheme::primaryText()));
    titles->addWidget(new OneLineLabel(QStringLiteral("Network Snapshot"),
                                       SystemFont::font(11, QFont::Medium),
                                       DiagnosticsExportTheme::secondaryText()));
    row->addLayout(titles);
    row->addStretch(1);
    badge_ = new DiagnosticsHealthBadge;
    row->addWidget(badge_, 0, Qt::AlignTop);
    return header;
}

void DiagnosticsSharePreviewCard::setContent(const DiagnosticsSharePreviewCardContent& content) {
    content_ = content;
    badge_->setState(content.badgeState, content.badgeText);
    for (std::size_t index = 0; index < metricRows_.size(); ++index) {
        if (index < content.metrics.size()) {
            metricRows_[index]->setContent(content.metrics[index].title,
                                           content.metrics[index].value);
        }
    }
    footer_->setText(content.footer);
}

void DiagnosticsSharePreviewCard::paintEvent(QPaintEvent* /*event*/) {
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    QPainterPath card;
    card.addRoundedRect(QRectF(rect()).adjusted(0.5, 0.5, -0.5, -0.5), 12, 12);
    painter.fillPath(card, withOpacity(NamedColors::white, 0.03));
    painter.setPen(QPen(DiagnosticsExportTheme::panelBorder(), 1));
    painter.drawPath(card);
}
