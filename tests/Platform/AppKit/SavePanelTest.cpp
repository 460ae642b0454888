#include "Platform/AppKit/SavePanel.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QFileDialog>
#include <QPointer>
#include <QTemporaryDir>

namespace {

QFileDialog* openDialog() {
    for (QWidget* widget : QApplication::topLevelWidgets()) {
        if (auto* dialog = qobject_cast<QFileDialog*>(widget); dialog && dialog->isVisible()) {
            return dialog;
        }
    }
    return nullptr;
}

const SavePanelConfiguration configuration{
    QStringLiteral("Save Diagnostics Report"),
    QStringLiteral("pelmor-diagnostics-20260304-050607.json"), QStringLiteral("JSON (*.json)"),
    QStringLiteral("json"), true};

} // namespace

TEST(SavePanelTest, OpensAFreeStandingDialogAndAnswersOnceWhenClosed) {
    SavePanel panel;
    std::vector<std::optional<QString>> answers;
    panel.begin(configuration,
                [&answers](std::optional<QString> path) { answers.push_back(path); });
    QPointer<QFileDialog> dialog = openDialog();
    ASSERT_NE(dialog, nullptr);
    EXPECT_TRUE(answers.empty());
    EXPECT_EQ(dialog->windowTitle(), configuration.title);
    EXPECT_EQ(dialog->acceptMode(), QFileDialog::AcceptSave);
    EXPECT_FALSE(dialog->isModal());
    EXPECT_EQ(dialog->nameFilters(), QStringList{configuration.allowedContentTypeFilter});
    EXPECT_EQ(dialog->defaultSuffix(), QStringLiteral("json"));
    EXPECT_FALSE(dialog->testOption(QFileDialog::ReadOnly));
    ASSERT_FALSE(dialog->selectedFiles().isEmpty());
    EXPECT_TRUE(dialog->selectedFiles().first().endsWith(configuration.nameFieldStringValue));
    dialog->reject();
    EXPECT_EQ(answers, std::vector<std::optional<QString>>{std::nullopt});
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(dialog.isNull());

    QTemporaryDir folder;
    panel.begin(configuration,
                [&answers](std::optional<QString> path) { answers.push_back(path); });
    dialog = openDialog();
    ASSERT_NE(dialog, nullptr);
    const QString chosen = folder.filePath(QStringLiteral("chosen.json"));
    dialog->selectFile(chosen);
    static_cast<QDialog*>(dialog.data())->accept();
    ASSERT_EQ(answers.size(), 2u);
    EXPECT_EQ(answers.back(), chosen);
}
