#include "Platform/AppKit/SuffixedSaveDialog.h"

#include <QFileInfo>
#include <QLineEdit>

SuffixedSaveDialog::SuffixedSaveDialog(const QString& title, const QString& suffix)
    : QFileDialog(nullptr, title), suffix_(suffix) {
    // A platform dialog would check and answer its own name, past accept().
    setOption(QFileDialog::DontUseNativeDialog);
    setAcceptMode(QFileDialog::AcceptSave);
    setFileMode(QFileDialog::AnyFile);
    setDefaultSuffix(suffix);
}

void SuffixedSaveDialog::accept() {
    const std::optional<QString> chosen = chosenFile();
    if (chosen && !suffix_.isEmpty() && !chosen->endsWith(u'.' + suffix_, Qt::CaseInsensitive)) {
        chooseFile(*chosen + u'.' + suffix_);
    }
    QFileDialog::accept();
}

std::optional<QString> SuffixedSaveDialog::chosenFile() const {
    const QStringList chosen = selectedFiles();
    if (chosen.size() != 1 || QFileInfo(chosen.first()).fileName().isEmpty() ||
        QFileInfo(chosen.first()).isDir()) {
        return std::nullopt;
    }
    return chosen.first();
}

void SuffixedSaveDialog::chooseFile(const QString& path) {
    // Clears a file picked in the list and moves to the file's folder; it
    // leaves the name field alone while the field has the focus.
    selectFile(path);
    if (auto* nameField = findChild<QLineEdit*>(QStringLiteral("fileNameEdit"))) {
        nameField->setText(QFileInfo(path).fileName());
    }
}
