#include "UI/DiagnosticsExport/DiagnosticsExportHeader.h"

#include "UI/DiagnosticsExport/DiagnosticsExportSymbolButton.h"
#include "UI/DiagnosticsExport/DiagnosticsExportTheme.h"
#include "UI/Ground/OneLineLabel.h"
#include "UI/Ground/SystemFont.h"

#include <QHBoxLayout>
#include <QVBoxLayout>

DiagnosticsExportHeader::DiagnosticsExportHeader(std::function<void()> onRegenerate,
                                                 QWidget* parent)
    : QWidget(parent), regenerate_(new DiagnosticsExportSymbolButton(
                           QStringLiteral("arrow.clockwise"), 11, QStringLiteral("Regenerate"))) {
    regenerate_->setTitleFont(SystemFont::font(11, QFont::DemiBold));
    regenerate_->setContentPadding(10, 5);
    regenerate_->setCornerRadius(8);
    regenerate_->setToolTip(QStringLiteral("Collect metrics again and generate a new report"));
    regenerate_->hide();
    connect(regenerate_, &QAbstractButton::clicked, this,
            [onRegenerate = std::move(onRegenerate)] { onRegenerate(); });

    auto* titles = new QVBoxLayout;
    titles->setSpacing(4);
    titles->addWidget(new OneLineLabel(QStringLiteral("Diagnostics Export"), SystemFont::font(22),
                                       DiagnosticsExportTheme::primaryText()));
    titles->addWidget(
        new OneLineLabel(QStringLiteral("Create a complete diagnostics snapshot for export."),
                         SystemFont::font(12), DiagnosticsExportTheme::secondaryText()));
    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addLayout(titles);
    layout->addStretch(1);
    layout->addWidget(regenerate_, 0, Qt::AlignTop);
}

void DiagnosticsExportHeader::setRegenerateShown(bool shown) {
    regenerate_->setVisible(shown);
}
