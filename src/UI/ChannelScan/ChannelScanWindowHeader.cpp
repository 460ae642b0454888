#include "UI/ChannelScan/ChannelScanWindowHeader.h"

#include "UI/ChannelScan/ChannelScanActionButton.h"
#include "UI/ChannelScan/ChannelScanTheme.h"
#include "UI/Ground/OneLineLabel.h"
#include "UI/Ground/SymbolView.h"
#include "UI/Ground/SystemFont.h"
#include "UI/Ground/WrappingLabel.h"

#include <QHBoxLayout>
#include <QVBoxLayout>

namespace {

constexpr int spacing = 12;
constexpr int minimumGap = 10;

} // namespace

ChannelScanWindowHeader::ChannelScanWindowHeader(QWidget* parent)
    : QWidget(parent), actionButton_(new ChannelScanActionButton(QString(), this)) {
    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(makeTitleBlock(), 0, Qt::AlignTop);
    // The gap between the title block and the button is at least the minimum
    // with the row's spacing on each side.
    layout->addSpacerItem(new QSpacerItem(spacing + minimumGap + spacing, 0, QSizePolicy::Expanding,
                                          QSizePolicy::Minimum));
    layout->addWidget(actionButton_, 0, Qt::AlignTop);
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Preferred);
}

QWidget* ChannelScanWindowHeader::makeTitleBlock() {
    auto* block = new QWidget(this);
    auto* titleLine = new QHBoxLayout;
    titleLine->setSpacing(8);
    titleLine->addWidget(new SymbolView(QStringLiteral("dot.radiowaves.left.and.right"), 15,
                                        ChannelScanTheme::secondaryText(), block),
                         0, Qt::AlignVCenter);
    titleLine->addWidget(new OneLineLabel(QStringLiteral("Channel Scan"), SystemFont::font(23),
                                          ChannelScanTheme::primaryText(), block),
                         0, Qt::AlignVCenter);
    titleLine->addStretch(1);

    auto* layout = new QVBoxLayout(block);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(5);
    layout->addLayout(titleLine);
    layout->addWidget(new WrappingLabel(
        QStringLiteral("Analyze nearby channel congestion and get a same-band recommendation."),
        SystemFont::font(12), ChannelScanTheme::secondaryText(), block));
    return block;
}
