#include "UI/DiagnosticsExport/DiagnosticsIncludedRow.h"

#include "UI/DiagnosticsExport/DiagnosticsExportTheme.h"
#include "UI/Ground/ColorOpacity.h"
#include "UI/Ground/NamedColors.h"
#include "UI/Ground/OneLineLabel.h"
#include "UI/Ground/SymbolView.h"
#include "UI/Ground/SystemFont.h"

#include <QHBoxLayout>

DiagnosticsIncludedRow::DiagnosticsIncludedRow(const QString& text, QWidget* parent)
    : QWidget(parent), label_(new OneLineLabel(text, SystemFont::font(11, QFont::Medium),
                                               DiagnosticsExportTheme::secondaryText())) {
    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(6);
    layout->addWidget(new SymbolView(QStringLiteral("checkmark.seal.fill"), 11,
                                     withOpacity(NamedColors::green, 0.9)),
                      0, Qt::AlignVCenter);
    layout->addWidget(label_, 1, Qt::AlignVCenter);
}

const QString& DiagnosticsIncludedRow::text() const {
    return label_->text();
}
