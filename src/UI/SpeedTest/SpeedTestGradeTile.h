#pragma once

#include "UI/SpeedTest/SpeedTestCardSurface.h"
#include "UI/SpeedTest/SpeedTestGradeTileContent.h"

class OneLineLabel;

// A phase's caption over its grade letter (20 pt bold in the grade colour, in
// a frame 28 wide) and the ratio text, on a tile card.
class SpeedTestGradeTile : public SpeedTestCardSurface {
    Q_OBJECT
public:
    explicit SpeedTestGradeTile(const SpeedTestGradeTileContent& content,
                                QWidget* parent = nullptr);

    const SpeedTestGradeTileContent& content() const { return content_; }
    void setContent(const SpeedTestGradeTileContent& content);

    OneLineLabel* letterLabel() const { return letter_; }
    OneLineLabel* ratioLabel() const { return ratio_; }

private:
    SpeedTestGradeTileContent content_;
    OneLineLabel* title_;
    OneLineLabel* letter_;
    OneLineLabel* ratio_;
};
