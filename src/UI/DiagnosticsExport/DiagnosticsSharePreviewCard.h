#pragma once

#include "UI/DiagnosticsExport/DiagnosticsSharePreviewCardContent.h"

#include <vector>

#include <QWidget>

class DiagnosticsCardMetric;
class DiagnosticsHealthBadge;
class QLabel;
class WrappingLabel;

// A compact, read-only summary of one report: "pelmor", "Network Snapshot",
// the health badge, seven metric rows and the export time, on a rounded
// card as wide as its container offers.
class DiagnosticsSharePreviewCard : public QWidget {
    Q_OBJECT
public:
    explicit DiagnosticsSharePreviewCard(QWidget* parent = nullptr);

    void setContent(const DiagnosticsSharePreviewCardContent& content);
    const DiagnosticsSharePreviewCardContent& content() const { return content_; }

    DiagnosticsHealthBadge* badge() const { return badge_; }
    const std::vector<DiagnosticsCardMetric*>& metricRows() const { return metricRows_; }
    WrappingLabel* footerLabel() const { return footer_; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QWidget* makeHeader();

    DiagnosticsSharePreviewCardContent content_;
    DiagnosticsHealthBadge* badge_ = nullptr;
    std::vector<DiagnosticsCardMetric*> metricRows_;
    WrappingLabel* footer_ = nullptr;
};
