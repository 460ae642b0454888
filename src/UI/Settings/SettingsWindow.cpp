#include "UI/Settings/SettingsWindow.h"

#include "Platform/AppKit/WindowFrameAutosave.h"
#include "UI/Settings/SettingsView.h"

#include <QEvent>
#include <QSettings>

SettingsWindow::SettingsWindow(SettingsViewDependencies dependencies,
                               std::shared_ptr<QSettings> frameSettings, QObject* parent)
    : QObject(parent), dependencies_(std::move(dependencies)),
      frameSettings_(std::move(frameSettings)) {}

SettingsWindow::~SettingsWindow() {
    delete view_.data();
}

void SettingsWindow::show() {
    if (!view_) {
        view_ = new SettingsView(dependencies_);
        view_->setAttribute(Qt::WA_DeleteOnClose);
        view_->setWindowTitle(title);
        view_->resize(SettingsView::idealWindowSize);
        placeNewWindow();
        view_->installEventFilter(this);
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

void SettingsWindow::placeNewWindow() {
    if (!frameSettings_ ||
        !WindowFrameAutosave::restore(*view_, frameAutosaveName, *frameSettings_)) {
        WindowFrameAutosave::centre(*view_);
    }
}

// Installed on each view it opens, and called while a view is destroyed too:
// only a view's moves and resizes are looked at.
bool SettingsWindow::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() != QEvent::Move && event->type() != QEvent::Resize) {
        return QObject::eventFilter(watched, event);
    }
    const auto* window = qobject_cast<const QWidget*>(watched);
    if (window != nullptr && frameSettings_ && window->isVisible()) {
        WindowFrameAutosave::save(*window, frameAutosaveName, *frameSettings_);
    }
    return QObject::eventFilter(watched, event);
}
