#include "UI/Ground/SpringTransition.h"

#include <utility>

#include <QVariantAnimation>

SpringTransition::SpringTransition(QObject* parent)
    : QObject(parent), animation_(new QVariantAnimation(this)) {
    animation_->setStartValue(0.0);
    animation_->setEndValue(1.0);
    connect(animation_, &QVariantAnimation::valueChanged, this, [this](const QVariant& elapsed) {
        if (step_ && animation_->state() == QAbstractAnimation::Running) {
            const double seconds = elapsed.toDouble() * animation_->duration() / 1000.0;
            step_(spring_.progress(seconds));
        }
    });
    connect(animation_, &QAbstractAnimation::finished, this, [this] {
        if (const auto step = std::exchange(step_, nullptr)) {
            step(1.0);
        }
    });
}

SpringTransition::~SpringTransition() = default;

void SpringTransition::start(const Spring& spring, std::function<void(double progress)> step) {
    finish();
    spring_ = spring;
    step_ = std::move(step);
    animation_->setDuration(static_cast<int>(spring.settlingTime().count()));
    animation_->start();
}

void SpringTransition::finish() {
    if (animation_->state() != QAbstractAnimation::Stopped) {
        animation_->stop();
    }
    if (const auto step = std::exchange(step_, nullptr)) {
        step(1.0);
    }
}

bool SpringTransition::isRunning() const {
    return animation_->state() == QAbstractAnimation::Running;
}
