#include "UI/DiagnosticsExport/DiagnosticsExportPreviewPanel.h"

#include "UI/DiagnosticsExport/DiagnosticsExportPanelBox.h"
#include "UI/DiagnosticsExport/DiagnosticsExportTheme.h"
#include "UI/DiagnosticsExport/DiagnosticsIncludedRow.h"
#include "UI/DiagnosticsExport/DiagnosticsSharePreviewCard.h"
#include "UI/Ground/OneLineLabel.h"
#include "UI/Ground/SystemFont.h"

#include <QVBoxLayout>

DiagnosticsExportPreviewPanel::DiagnosticsExportPreviewPanel(QWidget* parent)
    : QWidget(parent), card_(new DiagnosticsSharePreviewCard) {
    setFixedWidth(panelWidth);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(8);
    auto* title =
        new OneLineLabel(QStringLiteral("Share Preview"), SystemFont::font(12, QFont::DemiBold),
                         DiagnosticsExportTheme::secondaryText());
    title->setMinimumHeight(24);
    layout->addWidget(title);
    auto* box = new DiagnosticsExportPanelBox;
    auto* boxLayout = new QVBoxLayout(box);
    boxLayout->setContentsMargins(14, 14, 14, 14);
    boxLayout->setSpacing(12);
    boxLayout->addWidget(card_);
    boxLayout->addWidget(makeIncludedList());
    layout->addWidget(box);
    layout->addStretch(1);
}

QWidget* DiagnosticsExportPreviewPanel::makeIncludedList() {
    auto* list = new QWidget;
    auto* layout = new QVBoxLayout(list);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(6);
    layout->addWidget(new OneLineLabel(QStringLiteral("Included"),
                                       SystemFont::font(11, QFont::DemiBold),
                                       DiagnosticsExportTheme::secondaryText()));
    for (const QString& line : {QStringLiteral("Health state and timestamps"),
                                QStringLiteral("Wi-Fi, ping, DNS, and channel scan"),
                                QStringLiteral("Connection pressure and captive portal"),
                                QStringLiteral("Latest speed test (when available)")}) {
        auto* row = new DiagnosticsIncludedRow(line);
        includedRows_.push_back(row);
        layout->addWidget(row);
    }
    return list;
}
