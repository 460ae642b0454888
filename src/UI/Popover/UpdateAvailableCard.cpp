#include "UI/Popover/UpdateAvailableCard.h"

#include "UI/Ground/ColorOpacity.h"
#include "UI/Ground/NamedColors.h"
#include "UI/Ground/OneLineLabel.h"
#include "UI/Ground/PopoverTheme.h"
#include "UI/Ground/SymbolView.h"
#include "UI/Ground/SystemFont.h"
#include "UI/Ground/LineLimitedLabel.h"
#include "UI/Popover/PopoverPushButton.h"
#include "UI/Popover/SettingsOverlayCardModel.h"

#include <QHBoxLayout>
#include <QPainter>
#include <QPainterPath>
#include <QVBoxLayout>

namespace {

constexpr double cornerRadius = 9;

} // namespace

UpdateAvailableCard::UpdateAvailableCard(const AvailableUpdate& update,
                                         std::function<void()> onDownload, QWidget* parent)
    : QWidget(parent), header_(new OneLineLabel(QString(), SystemFont::font(12, QFont::DemiBold),
                                                PopoverTheme::primaryText())),
      notes_(new LineLimitedLabel(QString(), PopoverTheme::microFont(),
                                  PopoverTheme::secondaryText(), 2)),
      download_(new PopoverPushButton(QStringLiteral("Download"),
                                      PopoverPushButton::Style::borderedProminent,
                                      PopoverTheme::microFont(), std::move(onDownload))) {
    auto* headerRow = new QHBoxLayout;
    headerRow->setContentsMargins(0, 0, 0, 0);
    headerRow->setSpacing(6);
    headerRow->addWidget(
        new SymbolView(QStringLiteral("arrow.down.circle.fill"), 12, NamedColors::blue), 0,
        Qt::AlignVCenter);
    headerRow->addWidget(header_, 1, Qt::AlignVCenter);

    auto* downloadRow = new QHBoxLayout;
    downloadRow->setContentsMargins(0, 0, 0, 0);
    downloadRow->addStretch(1);
    downloadRow->addWidget(download_, 0, Qt::AlignVCenter);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(10, 8, 10, 8);
    layout->setSpacing(7);
    layout->addLayout(headerRow);
    layout->addWidget(notes_);
    layout->addLayout(downloadRow);
    setUpdate(update);
}

void UpdateAvailableCard::setUpdate(const AvailableUpdate& update) {
    header_->setText(SettingsOverlayCardModel::updateHeaderText(update));
    const std::optional<QString> notes = SettingsOverlayCardModel::shownReleaseNotes(update);
    notes_->setText(notes.value_or(QString()));
    notes_->setVisible(notes.has_value());
}

void UpdateAvailableCard::paintEvent(QPaintEvent* /*event*/) {
    QPainterPath path;
    path.addRoundedRect(QRectF(rect()), cornerRadius, cornerRadius);
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.fillPath(path, withOpacity(NamedColors::blue, 0.12));
}
