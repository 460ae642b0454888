#pragma once

#include "UI/Settings/SettingsViewDependencies.h"

#include <memory>

#include <QObject>
#include <QPointer>

class PreferenceFile;
class SettingsView;

// The application's one settings window, titled "Pelmor Settings". Showing it
// builds a fresh view when none is open (it opens at 760 by 460 pt and is
// never smaller than 720 by 440 pt) or raises the open one. It opens centred
// the first time and where it was left after that, its frame kept under its
// autosave name. Closing the window destroys its view, and with it the view's
// login-item controller; a manual update check it started still completes on
// the shared update controller.
class SettingsWindow : public QObject {
    Q_OBJECT
public:
    static inline const QString title = QStringLiteral("Pelmor Settings");
    static inline const QString frameAutosaveName = QStringLiteral("pelmor.settings.windowFrame");

    // Frames are kept in `frameSettings`; without them the window always opens centred.
    explicit SettingsWindow(SettingsViewDependencies dependencies,
                            std::shared_ptr<PreferenceFile> frameSettings = {},
                            QObject* parent = nullptr);
    ~SettingsWindow() override;

    // Opens the window, or raises and activates the open one.
    void show();
    // Closes the open window, if any.
    void close();

    bool isOpen() const;
    // The open window's view; none while the window is closed.
    SettingsView* view() const;

private:
    SettingsViewDependencies dependencies_;
    std::shared_ptr<PreferenceFile> frameSettings_;
    QPointer<SettingsView> view_;
};
