#pragma once

#include "UI/SpeedTest/SpeedTestCardSurface.h"
#include "UI/SpeedTest/SpeedTestMetricTileContent.h"

class OneLineLabel;
class QHBoxLayout;
class SymbolView;

// One large value (36 pt bold, fixed-width digits, one line that shrinks to
// three quarters and then elides) over its icon and caption, on a tile card.
class SpeedTestMetricTile : public SpeedTestCardSurface {
    Q_OBJECT
public:
    explicit SpeedTestMetricTile(const SpeedTestMetricTileContent& content,
                                 QWidget* parent = nullptr);

    const SpeedTestMetricTileContent& content() const { return content_; }
    void setContent(const SpeedTestMetricTileContent& content);

    OneLineLabel* valueLabel() const { return value_; }
    OneLineLabel* titleLabel() const { return title_; }
    SymbolView* symbol() const { return symbol_; }

private:
    SpeedTestMetricTileContent content_;
    OneLineLabel* value_;
    QHBoxLayout* caption_ = nullptr;
    SymbolView* symbol_ = nullptr;
    OneLineLabel* title_;
};
