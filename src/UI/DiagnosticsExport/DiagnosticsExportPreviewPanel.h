#pragma once

#include <vector>

#include <QWidget>

class DiagnosticsIncludedRow;
class DiagnosticsSharePreviewCard;

// The "Share Preview" panel, exactly 350 wide: the share card and the fixed
// "Included" list in a box.
class DiagnosticsExportPreviewPanel : public QWidget {
    Q_OBJECT
public:
    static constexpr int panelWidth = 350;

    explicit DiagnosticsExportPreviewPanel(QWidget* parent = nullptr);

    DiagnosticsSharePreviewCard* card() const { return card_; }
    const std::vector<DiagnosticsIncludedRow*>& includedRows() const { return includedRows_; }

private:
    QWidget* makeIncludedList();

    DiagnosticsSharePreviewCard* card_;
    std::vector<DiagnosticsIncludedRow*> includedRows_;
};
