#pragma once

#include "UI/Ground/Spring.h"

#include <vector>

#include <QObject>
#include <QPointer>
#include <QWidget>

class SpringTransition;

// Fades widgets in from transparent along a spring. The fade draws each
// widget through an opacity effect only while it runs; at its end, or when
// finished early, the widgets draw as before.
class SpringFadeIn : public QObject {
    Q_OBJECT
public:
    explicit SpringFadeIn(QObject* parent = nullptr);

    // Ends a fade still running, then fades `widgets` in.
    void start(const std::vector<QWidget*>& widgets, const Spring& spring);
    void finish();
    bool isRunning() const { return !widgets_.empty(); }

private:
    void step(double progress);

    SpringTransition* transition_;
    std::vector<QPointer<QWidget>> widgets_;
};
