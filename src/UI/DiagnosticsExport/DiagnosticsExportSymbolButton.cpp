#include "UI/DiagnosticsExport/DiagnosticsExportSymbolButton.h"

#include "UI/DiagnosticsExport/DiagnosticsExportTheme.h"
#include "UI/Ground/ColorOpacity.h"
#include "UI/Ground/NamedColors.h"

#include <cmath>

#include <QFontMetricsF>
#include <QPainter>

namespace {

constexpr double symbolToLabelSpacing = 6;

} // namespace

DiagnosticsExportSymbolButton::DiagnosticsExportSymbolButton(const QString& symbolName,
                                                             int symbolSize, const QString& label,
                                                             QWidget* parent)
    : WindowBorderedButton(QString(), parent), symbolName_(symbolName), symbolSize_(symbolSize),
      symbol_(SymbolImage::named(symbolName, symbolSize)), label_(label) {
    setFillColor(withOpacity(NamedColors::white, 0.08));
    setBorder(DiagnosticsExportTheme::panelBorder(), 1);
    setTextColor(DiagnosticsExportTheme::primaryText());
    setAccessibleName(label);
}

void DiagnosticsExportSymbolButton::setContentPadding(int horizontal, int vertical) {
    horizontalPadding_ = horizontal;
    verticalPadding_ = vertical;
    updateGeometry();
    update();
}

double DiagnosticsExportSymbolButton::contentWidth() const {
    if (label_.isEmpty()) {
        return symbolSize_;
    }
    return symbolSize_ + symbolToLabelSpacing +
           QFontMetricsF(titleFont()).horizontalAdvance(label_);
}

QSize DiagnosticsExportSymbolButton::sizeHint() const {
    const double textHeight = label_.isEmpty() ? 0 : QFontMetricsF(titleFont()).height();
    return {int(std::ceil(contentWidth())) + 2 * horizontalPadding_,
            int(std::ceil(std::max<double>(symbolSize_, textHeight))) + 2 * verticalPadding_};
}

void DiagnosticsExportSymbolButton::paintEvent(QPaintEvent* event) {
    WindowBorderedButton::paintEvent(event);
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setRenderHint(QPainter::TextAntialiasing);
    const double left = (width() - contentWidth()) / 2;
    const QRectF symbolArea(left, (height() - symbolSize_) / 2.0, symbolSize_, symbolSize_);
    if (symbol_) {
        symbol_->paint(painter, symbolArea, textColor());
    }
    if (!label_.isEmpty()) {
        painter.setFont(titleFont());
        painter.setPen(textColor());
        const QRectF labelArea(symbolArea.right() + symbolToLabelSpacing, 0,
                               width() - symbolArea.right() - symbolToLabelSpacing, height());
        painter.drawText(labelArea, Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine, label_);
    }
}
