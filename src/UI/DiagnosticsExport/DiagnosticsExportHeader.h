#pragma once

#include <functional>

#include <QWidget>

class DiagnosticsExportSymbolButton;

// The window's title block and, at the trailing edge, the Regenerate button,
// which is shown only while a finished report may be replaced.
class DiagnosticsExportHeader : public QWidget {
    Q_OBJECT
public:
    explicit DiagnosticsExportHeader(std::function<void()> onRegenerate, QWidget* parent = nullptr);

    void setRegenerateShown(bool shown);
    DiagnosticsExportSymbolButton* regenerateButton() const { return regenerate_; }

private:
    DiagnosticsExportSymbolButton* regenerate_;
};
