#include "UI/Ground/SpringFadeIn.h"

#include "UI/Ground/SpringTransition.h"

#include <algorithm>

#include <QGraphicsOpacityEffect>

SpringFadeIn::SpringFadeIn(QObject* parent)
    : QObject(parent), transition_(new SpringTransition(this)) {}

void SpringFadeIn::start(const std::vector<QWidget*>& widgets, const Spring& spring) {
    finish();
    for (QWidget* widget : widgets) {
        auto* effect = new QGraphicsOpacityEffect(widget);
        effect->setOpacity(0);
        widget->setGraphicsEffect(effect);
        widgets_.emplace_back(widget);
    }
    if (!widgets_.empty()) {
        transition_->start(spring, [this](double progress) { step(progress); });
    }
}

void SpringFadeIn::finish() {
    transition_->finish();
}

void SpringFadeIn::step(double progress) {
    const bool hasEnded = !transition_->isRunning();
    for (const QPointer<QWidget>& widget : widgets_) {
        if (!widget) {
            continue;
        }
        if (hasEnded) {
            widget->setGraphicsEffect(nullptr);
        } else if (auto* effect = qobject_cast<QGraphicsOpacityEffect*>(widget->graphicsEffect())) {
            effect->setOpacity(std::clamp(progress, 0.0, 1.0));
        }
    }
    if (hasEnded) {
        widgets_.clear();
    }
}
