#include "Platform/AppKit/SavePanel.h"

#include <QFileDialog>

void SavePanel::begin(const SavePanelConfiguration& configuration, Completion completion) {
    auto* dialog = new QFileDialog(nullptr, configuration.title);
    dialog->setAttribute(Qt::WA_DeleteOnClose);
    dialog->setAcceptMode(QFileDialog::AcceptSave);
    dialog->setFileMode(QFileDialog::AnyFile);
    dialog->setNameFilter(configuration.allowedContentTypeFilter);
    dialog->setDefaultSuffix(configuration.defaultExtension);
    dialog->setOption(QFileDialog::ReadOnly, !configuration.canCreateDirectories);
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
