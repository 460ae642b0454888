#include "UI/Dashboard/BrandLogo.h"

#include <QPainter>
#include <QSvgRenderer>

namespace {

const QString resourcePath = QStringLiteral(":/pelmor/pelmor.svg");

QSvgRenderer& renderer() {
    static QSvgRenderer shared(resourcePath);
    return shared;
}

} // namespace

BrandLogo::BrandLogo(int height, QWidget* parent) : QWidget(parent), height_(height) {
    setFixedSize(height, height);
    setAccessibleName(QStringLiteral("Pelmor"));
}

bool BrandLogo::hasImage() const {
    return renderer().isValid();
}

void BrandLogo::paintEvent(QPaintEvent* /*event*/) {
    if (!hasImage()) {
        return;
    }
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    renderer().setAspectRatioMode(Qt::KeepAspectRatio);
    renderer().render(&painter, QRectF(rect()));
}
