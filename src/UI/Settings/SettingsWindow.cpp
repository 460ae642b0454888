#include "UI/Settings/SettingsWindow.h"

#include "Platform/AppKit/WindowFrames/WindowFrameAutosave.h"
#include "Platform/AppKit/WindowOrdering.h"
#include "Platform/Foundation/PreferenceFile.h"
#include "UI/Settings/SettingsView.h"

SettingsWindow::SettingsWindow(SettingsViewDependencies dependencies,
                               std::shared_ptr<PreferenceFile> frameSettings, QObject* parent)
    : QObject(parent), dependencies_(std::move(dependencies)),
      frameSettings_(std::move(frameSettings)) {}

SettingsWindow::~SettingsWindow() {
    delete view_.data();
}

bool SettingsWindow::isOpen() const {
    return !view_.isNull();
}

SettingsView* SettingsWindow::view() const {
    return view_.data();
}

void SettingsWindow::show() {
    if (!view_) {
        view_ = new SettingsView(dependencies_);
        view_->setAttribute(Qt::WA_DeleteOnClose);
        view_->setWindowTitle(title);
        view_->resize(SettingsView::idealWindowSize);
        WindowFrameAutosave::keep(*view_, frameAutosaveName, frameSettings_);
    }
    WindowOrdering::makeKeyAndOrderFront(*view_);
}

void SettingsWindow::close() {
    if (view_) {
        view_->close();
    }
}
