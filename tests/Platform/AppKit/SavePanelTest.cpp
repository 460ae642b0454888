#include "Platform/AppKit/SavePanel.h"

#include "Support/QStringPrinter.h"
#include "Support/ScopedEnvironmentVariable.h"

#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QApplication>
#include <QFile>
#include <QFileDialog>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMessageBox>
#include <QPointer>
#include <QTemporaryDir>
#include <QTimer>

namespace {

QFileDialog* openDialog() {
    for (QWidget* widget : QApplication::topLevelWidgets()) {
        if (auto* dialog = qobject_cast<QFileDialog*>(widget); dialog && dialog->isVisible()) {
            return dialog;
        }
    }
    return nullptr;
}

// Types `name` into the dialog's name field and presses Return; answers the
// question about replacing a file, when one comes, with `answer`. Returns the
// question's text, or an empty text when none came.
QString typeNameAndSave(QFileDialog& dialog, const QString& name,
                        QMessageBox::StandardButton answer) {
    auto* nameField = dialog.findChild<QLineEdit*>(QStringLiteral("fileNameEdit"));
    if (nameField == nullptr) {
        ADD_FAILURE() << "the dialog has no name field";
        return {};
    }
    QApplication::setActiveWindow(&dialog);
    nameField->setFocus();
    nameField->setText(name);
    QString question;
    QTimer::singleShot(0, &dialog, [&question, answer] {
        if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
            question = box->text();
            box->button(answer)->click();
        }
    });
    QKeyEvent enter(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier);
    QCoreApplication::sendEvent(nameField, &enter);
    QCoreApplication::processEvents();
    return question;
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
    // Qt's own dialog: a platform one would check and answer its own name.
    EXPECT_TRUE(dialog->testOption(QFileDialog::DontUseNativeDialog));
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

// The question about replacing a file names the file that will be written.
TEST(SavePanelTest, AChosenNameGetsTheExtensionBeforeTheDialogAsksAboutReplacing) {
    QTemporaryDir folder;
    for (const char* existing : {"report.txt", "report.txt.json"}) {
        QFile file(folder.filePath(QString::fromLatin1(existing)));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    }
    struct Case {
        QString typed;
        QMessageBox::StandardButton answer;
        QString question;
        std::optional<QString> written;
    };
    const QString replaceQuestion =
        QStringLiteral("report.txt.json already exists.\nDo you want to replace it?");
    const std::vector<Case> cases{
        {QStringLiteral("report.txt"), QMessageBox::Yes, replaceQuestion,
         folder.filePath(QStringLiteral("report.txt.json"))},
        {QStringLiteral("report.txt"), QMessageBox::No, replaceQuestion, std::nullopt},
        {QStringLiteral("notes"), QMessageBox::Yes, QString(),
         folder.filePath(QStringLiteral("notes.json"))},
        {QStringLiteral("Notes.JSON"), QMessageBox::Yes, QString(),
         folder.filePath(QStringLiteral("Notes.JSON"))},
    };
    SavePanel panel;
    for (const Case& chosen : cases) {
        SCOPED_TRACE(chosen.typed.toStdString());
        std::vector<std::optional<QString>> answers;
        panel.begin(configuration,
                    [&answers](std::optional<QString> path) { answers.push_back(path); });
        QPointer<QFileDialog> dialog = openDialog();
        ASSERT_NE(dialog, nullptr);
        dialog->setDirectory(folder.path());
        EXPECT_EQ(typeNameAndSave(*dialog, chosen.typed, chosen.answer), chosen.question);
        if (chosen.written) {
            EXPECT_EQ(answers, std::vector<std::optional<QString>>{chosen.written});
        } else {
            EXPECT_TRUE(answers.empty());
            EXPECT_TRUE(dialog->isVisible());
            dialog->reject();
        }
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }
}

TEST(SavePanelTest, OpensInTheDocumentsFolderOrElseInTheHomeFolder) {
    QTemporaryDir configuration;
    QTemporaryDir documents;
    QFile userDirectories(configuration.filePath(QStringLiteral("user-dirs.dirs")));
    ASSERT_TRUE(userDirectories.open(QIODevice::WriteOnly));
    userDirectories.write("XDG_DOCUMENTS_DIR=\"" + documents.path().toUtf8() + "\"\n");
    userDirectories.close();
    const ScopedEnvironmentVariable configurationHome("XDG_CONFIG_HOME",
                                                      configuration.path().toUtf8());
    SavePanel panel;
    for (const QString& expected : {documents.path(), QDir::homePath()}) {
        panel.begin(::configuration, [](std::optional<QString>) {});
        QPointer<QFileDialog> dialog = openDialog();
        ASSERT_NE(dialog, nullptr);
        EXPECT_EQ(dialog->directory().absolutePath(), expected);
        dialog->reject();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        documents.remove();
    }
}
