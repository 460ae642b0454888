#include "UI/DiagnosticsExport/DiagnosticsCardMetric.h"

#include "UI/DiagnosticsExport/DiagnosticsExportTheme.h"
#include "UI/Ground/OneLineLabel.h"
#include "UI/Ground/SystemFont.h"

#include <QHBoxLayout>

DiagnosticsCardMetric::DiagnosticsCardMetric(const QString& title, const QString& value,
                                             QWidget* parent)
    : QWidget(parent), title_(new OneLineLabel(title, SystemFont::font(11, QFont::DemiBold),
                                               DiagnosticsExportTheme::secondaryText())),
      value_(new OneLineLabel(value, SystemFont::monospaced(11, QFont::DemiBold),
                              DiagnosticsExportTheme::primaryText())) {
    value_->setMinimumScale(0.8);
    value_->setHorizontalAlignment(Qt::AlignRight);
    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(8);
    layout->addWidget(title_, 0, Qt::AlignVCenter);
    layout->addStretch(1);
    layout->addWidget(value_, 0, Qt::AlignVCenter);
}

void DiagnosticsCardMetric::setContent(const QString& title, const QString& value) {
    title_->setText(title);
    value_->setText(value);
}
