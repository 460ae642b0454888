#pragma once

#include <chrono>
#include <functional>
#include <optional>

#include <QColor>
#include <QTimer>
#include <QWidget>

// The radar disc: a dark radial gradient with four rings and a cross-hair,
// the turning sweep, an outer ring in the quality tint and, in the middle,
// the status symbol, the score and the quality message. The sweep is
// redrawn about 30 times a second while the view is visible, and not at all
// while it is hidden; its angle follows a monotonic clock from the moment
// the view was last shown.
class RadarDiscView : public QWidget {
    Q_OBJECT
public:
    using MonotonicClock = std::function<std::chrono::steady_clock::time_point()>;

    static constexpr std::chrono::milliseconds frameInterval{33};
    // The outer ring's half width reaches past the disc on every side.
    static constexpr int ringOverhang = 4;

    explicit RadarDiscView(MonotonicClock clock = std::chrono::steady_clock::now,
                           QWidget* parent = nullptr);

    void setReadout(int score, const QColor& tint, const QString& statusSymbolName,
                    const QString& message);

    // Holds the sweep at `elapsedSeconds` after its start, with no timer.
    void freezeSweep(double elapsedSeconds);

    bool isSweepRunning() const { return sweepTimer_.isActive(); }
    double sweepRotationDegrees() const;

    int score() const { return score_; }
    const QColor& tint() const { return tint_; }
    const QString& statusSymbolName() const { return statusSymbolName_; }
    const QString& message() const { return message_; }

protected:
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

private:
    QRectF discRect() const;
    void paintDisc(QPainter& painter, const QRectF& disc) const;
    void paintSweep(QPainter& painter, const QRectF& disc) const;
    void paintReadout(QPainter& painter, const QRectF& disc) const;

    MonotonicClock clock_;
    std::chrono::steady_clock::time_point sweepStart_;
    std::optional<double> frozenElapsedSeconds_;
    QTimer sweepTimer_;

    int score_ = 0;
    QColor tint_;
    QString statusSymbolName_;
    QString message_;
};
