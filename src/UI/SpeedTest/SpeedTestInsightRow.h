#pragma once

#include "UI/SpeedTest/SpeedTestInsightRowContent.h"

#include <QWidget>

class SymbolView;
class WrappingLabel;

// A phase's icon in its grade colour, at the top, beside its sentence, which
// wraps onto as many lines as it needs. No background.
class SpeedTestInsightRow : public QWidget {
    Q_OBJECT
public:
    explicit SpeedTestInsightRow(const SpeedTestInsightRowContent& content,
                                 QWidget* parent = nullptr);

    const SpeedTestInsightRowContent& content() const { return content_; }
    void setContent(const SpeedTestInsightRowContent& content);

    SymbolView* indicator() const { return indicator_; }
    WrappingLabel* messageLabel() const { return message_; }

private:
    SpeedTestInsightRowContent content_;
    SymbolView* indicator_;
    WrappingLabel* message_;
};
