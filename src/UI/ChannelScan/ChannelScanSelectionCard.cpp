#include "UI/ChannelScan/ChannelScanSelectionCard.h"

#include "UI/ChannelScan/ChannelScanTheme.h"
#include "UI/Ground/ColorOpacity.h"
#include "UI/Ground/NamedColors.h"
#include "UI/Ground/OneLineLabel.h"
#include "UI/Ground/SystemFont.h"
#include "UI/Ground/WrappingLabel.h"

#include <QPainter>
#include <QPainterPath>
#include <QVBoxLayout>

namespace {

constexpr double cornerRadius = 9;

} // namespace

ChannelScanSelectionCard::ChannelScanSelectionCard(const ChannelScanSelectionCardContent& content,
                                                   QWidget* parent)
    : QWidget(parent), title_(new WrappingLabel(QString(), SystemFont::font(11, QFont::DemiBold),
                                                ChannelScanTheme::mutedText(), this)),
      channel_(new OneLineLabel(QString(), SystemFont::font(13, QFont::DemiBold),
                                ChannelScanTheme::primaryText(), this)),
      score_(new OneLineLabel(QString(), SystemFont::font(12, QFont::Medium),
                              ChannelScanTheme::primaryText(), this)),
      networkCount_(new WrappingLabel(QString(), SystemFont::font(11, QFont::Medium),
                                      ChannelScanTheme::secondaryText(), this)),
      unavailable_(new OneLineLabel(QStringLiteral("Unavailable"),
                                    SystemFont::font(13, QFont::Medium),
                                    ChannelScanTheme::secondaryText(), this)) {
    score_->setMonospacedDigits(true);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(10, 8, 10, 8);
    layout->setSpacing(4);
    for (QWidget* line : {static_cast<QWidget*>(title_), static_cast<QWidget*>(channel_),
                          static_cast<QWidget*>(score_), static_cast<QWidget*>(networkCount_),
                          static_cast<QWidget*>(unavailable_)}) {
        layout->addWidget(line);
    }
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Preferred);
    setContent(content);
}

void ChannelScanSelectionCard::setContent(const ChannelScanSelectionCardContent& content) {
    content_ = content;
    title_->setText(content.title);
    const bool hasSelection = content.lines.has_value();
    if (hasSelection) {
        channel_->setText(content.lines->channel);
        score_->setText(content.lines->score);
        networkCount_->setText(content.lines->networkCount);
    }
    channel_->setVisible(hasSelection);
    score_->setVisible(hasSelection);
    networkCount_->setVisible(hasSelection);
    unavailable_->setVisible(!hasSelection);
    update();
}

void ChannelScanSelectionCard::paintEvent(QPaintEvent* /*event*/) {
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    const QRectF outline = QRectF(rect()).adjusted(0.5, 0.5, -0.5, -0.5);
    QPainterPath path;
    path.addRoundedRect(outline, cornerRadius, cornerRadius);
    painter.fillPath(path, withOpacity(NamedColors::white, 0.06));
    painter.setPen(QPen(withOpacity(content_.accentColor, 0.32), 1));
    painter.drawPath(path);
}
