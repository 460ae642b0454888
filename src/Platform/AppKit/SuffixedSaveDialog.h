#pragma once

#include <optional>

#include <QFileDialog>

// Qt's own file-save dialog whose chosen name always ends with one suffix.
// A name without it gets it in the name field before the dialog checks the
// name, so the question about replacing a file names the file written.
class SuffixedSaveDialog final : public QFileDialog {
    Q_OBJECT
public:
    // `suffix` without its dot ("json").
    SuffixedSaveDialog(const QString& title, const QString& suffix);

    void accept() override;

private:
    // The chosen file, or none when the dialog names a folder or nothing.
    std::optional<QString> chosenFile() const;
    void chooseFile(const QString& path);

    QString suffix_;
};
