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

    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QColor tint_;
};
