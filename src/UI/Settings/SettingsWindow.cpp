#include "UI/Settings/SettingsWindow.h"

#include "UI/Settings/SettingsView.h"

SettingsWindow::SettingsWindow(SettingsViewDependencies dependencies, QObject* parent)
    : QObject(parent), dependencies_(std::move(dependencies)) {}

SettingsWindow::~SettingsWindow() {
    delete view_.data();
}

void SettingsWindow::show() {
    if (!view_) {
        view_ = new SettingsView(dependencies_);
        view_->setAttribute(Qt::WA_DeleteOnClose);
        view_->setWindowTitle(title);
        view_->resize(SettingsView::idealWindowSize);
    }
    view_->show();
    view_->raise();
    view_->activateWindow();
}

void SettingsWindow::close() {
    if (view_) {
        view_->close();
    }
}
