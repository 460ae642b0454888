#pragma once

#include <QAbstractButton>
#include <QColor>

// A switch-style toggle whose label is hidden: only the track and its knob
// show; the label is the accessible name. Clicking flips `isChecked()`.
class SwitchToggle : public QAbstractButton {
    Q_OBJECT
public:
    explicit SwitchToggle(const QString& accessibleLabel, QWidget* parent = nullptr);

    // The track's colour while on; the platform's accent colour by default.
    void setTint(const QColor& tint);
    // The track's colour while off; white at 0.18 by default, for dark surfaces.
    void setOffTint(const QColor& offTint);

    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QColor tint_;
    QColor offTint_;
};
