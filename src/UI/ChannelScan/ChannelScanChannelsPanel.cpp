#include "UI/ChannelScan/ChannelScanChannelsPanel.h"

#include "UI/ChannelScan/ChannelScanCongestionRow.h"
#include "UI/ChannelScan/ChannelScanTheme.h"
#include "UI/Ground/OneLineLabel.h"
#include "UI/Ground/SystemFont.h"
#include "UI/Ground/WrappingLabel.h"

#include <QPainter>
#include <QPainterPath>
#include <QVBoxLayout>

namespace {

constexpr double cornerRadius = 12;

QFont captionFont() {
    QFont font = SystemFont::font(11, QFont::DemiBold);
    font.setLetterSpacing(QFont::AbsoluteSpacing, 0.4);
    return font;
}

} // namespace

ChannelScanChannelsPanel::ChannelScanChannelsPanel(QWidget* parent)
    : QWidget(parent),
      noChannels_(new OneLineLabel(QStringLiteral("No channels available for the active band."),
                                   SystemFont::font(12, QFont::Medium),
                                   ChannelScanTheme::secondaryText(), this)),
      rowList_(new QWidget(this)), rowLayout_(new QVBoxLayout(rowList_)) {
    rowLayout_->setContentsMargins(0, 0, 0, 0);
    rowLayout_->setSpacing(6);

    auto* note = new WrappingLabel(
        QStringLiteral(
            "Interference score combines network count and RSSI strength. Lower is better."),
        SystemFont::font(11, QFont::Medium), ChannelScanTheme::secondaryText(), this);
    auto* notePadding = new QVBoxLayout;
    notePadding->setContentsMargins(0, 0, 0, 4);
    notePadding->addWidget(note);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(12, 12, 12, 12);
    layout->setSpacing(8);
    layout->addWidget(new OneLineLabel(QStringLiteral("Band Congestion"), captionFont(),
                                       ChannelScanTheme::mutedText(), this));
    layout->addLayout(notePadding);
    layout->addWidget(noChannels_);
    layout->addWidget(rowList_);
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Preferred);
    rowList_->hide();
}

void ChannelScanChannelsPanel::setRows(const std::vector<ChannelScanCongestionRowContent>& rows) {
    if (rows == rowContents_) {
        return;
    }
    rowContents_ = rows;
    for (ChannelScanCongestionRow* row : this->rows()) {
        delete row;
    }
    for (const ChannelScanCongestionRowContent& content : rowContents_) {
        rowLayout_->addWidget(new ChannelScanCongestionRow(content, rowList_));
    }
    noChannels_->setVisible(rowContents_.empty());
    rowList_->setVisible(!rowContents_.empty());
}

QList<ChannelScanCongestionRow*> ChannelScanChannelsPanel::rows() const {
    return rowList_->findChildren<ChannelScanCongestionRow*>(Qt::FindDirectChildrenOnly);
}

bool ChannelScanChannelsPanel::showsNoChannelsText() const {
    return noChannels_->isVisibleTo(this);
}

void ChannelScanChannelsPanel::paintEvent(QPaintEvent* /*event*/) {
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    const QRectF outline = QRectF(rect()).adjusted(0.5, 0.5, -0.5, -0.5);
    QPainterPath path;
    path.addRoundedRect(outline, cornerRadius, cornerRadius);
    painter.fillPath(path, ChannelScanTheme::panelBackground());
    painter.setPen(QPen(ChannelScanTheme::panelBorder(), 1));
    painter.drawPath(path);
}
