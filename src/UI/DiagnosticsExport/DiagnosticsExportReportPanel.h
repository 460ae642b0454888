#pragma once

#include <functional>

#include <QWidget>

class DiagnosticsExportSymbolButton;
class QPlainTextEdit;

// The "Export Payload (JSON)" panel: the copy and share buttons and, in a
// box that takes the remaining height, the JSON text as plain monospaced
// text that wraps at the box's width, scrolls and can be selected.
class DiagnosticsExportReportPanel : public QWidget {
    Q_OBJECT
public:
    DiagnosticsExportReportPanel(std::function<void()> onCopy, std::function<void()> onShare,
                                 QWidget* parent = nullptr);

    void setReportJSONString(const QString& json);
    const QString& reportJSONString() const { return reportJSONString_; }

    // "square.on.square" where the symbol set has it, else "doc.on.doc".
    static QString copySymbolName();

    DiagnosticsExportSymbolButton* copyButton() const { return copyButton_; }
    DiagnosticsExportSymbolButton* shareButton() const { return shareButton_; }
    QPlainTextEdit* textView() const { return textView_; }

private:
    DiagnosticsExportSymbolButton* makeIconButton(const QString& symbolName,
                                                  const QString& helpText,
                                                  std::function<void()> action);
    QWidget* makeTextBox();

    DiagnosticsExportSymbolButton* copyButton_;
    DiagnosticsExportSymbolButton* shareButton_;
    QPlainTextEdit* textView_ = nullptr;
    QString reportJSONString_;
};
