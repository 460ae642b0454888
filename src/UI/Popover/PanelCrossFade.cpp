#include "UI/Popover/PanelCrossFade.h"

#include "UI/Ground/SpringTransition.h"

#include <algorithm>

#include <QPainter>

PanelCrossFade::PanelCrossFade(QWidget* panel)
    : QWidget(panel), transition_(new SpringTransition(this)) {
    setAttribute(Qt::WA_TransparentForMouseEvents);
    setAttribute(Qt::WA_NoSystemBackground);
    hide();
}

void PanelCrossFade::start(QPixmap before, const Spring& spring) {
    finish();
    if (before.isNull()) {
        return;
    }
    before_ = std::move(before);
    opacity_ = 1;
    // Drawn at its own size: the popover may change height with the panel.
    setGeometry(QRect(QPoint(0, 0),
                      before_.deviceIndependentSize().toSize().expandedTo(parentWidget()->size())));
    raise();
    show();
    transition_->start(spring, [this](double progress) {
        opacity_ = 1 - std::clamp(progress, 0.0, 1.0);
        if (!transition_->isRunning()) {
            before_ = QPixmap();
            opacity_ = 0;
            hide();
        }
        update();
    });
}

void PanelCrossFade::finish() {
    transition_->finish();
}

void PanelCrossFade::paintEvent(QPaintEvent* /*event*/) {
    if (before_.isNull()) {
        return;
    }
    QPainter painter(this);
    painter.setOpacity(opacity_);
    painter.drawPixmap(QPointF(0, 0), before_);
}
