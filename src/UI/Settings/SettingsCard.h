#pragma once

#include <QColor>
#include <QWidget>

class QVBoxLayout;

// A group of rows on a rounded rectangle (corner radius 10) filled with one
// colour and outlined 1 pt wide in another; the rows sit 14 pt inside its
// edges, stacked 10 pt apart.
class SettingsCard : public QWidget {
    Q_OBJECT
public:
    static constexpr int padding = 14;
    static constexpr int spacing = 10;
    static constexpr double cornerRadius = 10;

    SettingsCard(const QColor& fill, const QColor& stroke, QWidget* parent = nullptr);

    QVBoxLayout* contentLayout() const { return layout_; }

    const QColor& fill() const { return fill_; }
    const QColor& stroke() const { return stroke_; }
    void setColors(const QColor& fill, const QColor& stroke);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QColor fill_;
    QColor stroke_;
    QVBoxLayout* layout_;
};
