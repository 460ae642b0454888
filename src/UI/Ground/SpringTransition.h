#pragma once

#include "UI/Ground/Spring.h"

#include <functional>

#include <QObject>

class QVariantAnimation;

// Carries one change along a spring: calls `step` with the spring's progress
// on each animation frame until it is at rest, and with 1 at the end. It runs
// only while started and costs nothing otherwise. Starting again, or
// finishing early, ends the running change at its end state first.
class SpringTransition : public QObject {
    Q_OBJECT
public:
    explicit SpringTransition(QObject* parent = nullptr);
    ~SpringTransition() override;

    void start(const Spring& spring, std::function<void(double progress)> step);
    // Jumps to the end state at once.
    void finish();
    bool isRunning() const;

private:
    QVariantAnimation* animation_;
    Spring spring_;
    std::function<void(double)> step_;
};
