#pragma once

#include "UI/Popover/BadgeContent.h"

#include <QWidget>

// A badge: bold small text in its tint on a capsule of the tint at 20 %
// opacity, padded 10 pt left and right and 4 pt top and bottom.
class CapsuleBadge : public QWidget {
    Q_OBJECT
public:
    explicit CapsuleBadge(BadgeContent content, QWidget* parent = nullptr);

    const BadgeContent& content() const { return content_; }
    void setContent(BadgeContent content);

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override { return sizeHint(); }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    BadgeContent content_;
};
