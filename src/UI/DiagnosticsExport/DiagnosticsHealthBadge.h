#pragma once

#include "Core/DomainModels.h"

#include <QWidget>

// The share card's health badge: the state's text in black bold 10 pt on a
// capsule of the state's colour at 0.95 opacity, padded 8 by 4.
class DiagnosticsHealthBadge : public QWidget {
    Q_OBJECT
public:
    explicit DiagnosticsHealthBadge(QWidget* parent = nullptr);

    void setState(HealthState state, const QString& text);
    const QString& text() const { return text_; }
    // The capsule's colour.
    QColor fill() const;

    static QColor stateColor(HealthState state);

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override { return sizeHint(); }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    HealthState state_ = HealthState::disconnected;
    QString text_;
};
