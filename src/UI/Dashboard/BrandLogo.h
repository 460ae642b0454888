#pragma once

#include <QWidget>

// The application's brand mark in its own colours, scaled to fit the widget's
// height and kept square.
class BrandLogo : public QWidget {
    Q_OBJECT
public:
    explicit BrandLogo(int height, QWidget* parent = nullptr);

    // Whether the picture could be loaded from the application's resources.
    bool hasImage() const;

    QSize sizeHint() const override { return {height_, height_}; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    int height_;
};
