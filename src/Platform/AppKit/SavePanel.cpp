#include "Platform/AppKit/SavePanel.h"

#include "Platform/AppKit/SuffixedSaveDialog.h"

#include <QDir>
#include <QStandardPaths>

namespace {

// The user's documents folder (XDG), or the home folder while there is none.
QString startingFolder() {
    const QString documents = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    return !documents.isEmpty() && QDir(documents).exists() ? documents : QDir::homePath();
}

} // namespace

void SavePanel::begin(const SavePanelConfiguration& configuration, Completion completion) {
    auto* dialog = new SuffixedSaveDialog(configuration.title, configuration.defaultExtension);
    dialog->setAttribute(Qt::WA_DeleteOnClose);
    dialog->setNameFilter(configuration.allowedContentTypeFilter);
    dialog->setOption(QFileDialog::ReadOnly, !configuration.canCreateDirectories);
    dialog->setDirectory(startingFolder());
    dialog->selectFile(configuration.nameFieldStringValue);
    QObject::connect(dialog, &QFileDialog::finished, dialog,
                     [dialog, completion = std::move(completion)](int result) {
                         std::optional<QString> path;
                         const QStringList chosen = dialog->selectedFiles();
                         if (result == QDialog::Accepted && !chosen.isEmpty() &&
                             !chosen.first().isEmpty()) {
                             path = chosen.first();
                         }
                         completion(std::move(path));
                     });
    dialog->setModal(false);
    dialog->show();
}
