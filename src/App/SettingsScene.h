#pragma once

#include "UI/Settings/SettingsViewDependencies.h"

#include <memory>

class AppDelegate;
class PreferenceFile;
class SettingsWindow;

// The application's one settings scene. Nothing is built at launch; the
// window is made when the user first asks for the settings and then kept for
// the run, so every view it shows works with the delegate's shared update
// controller and follows the battery-friendly preference the popover changes.
class SettingsScene {
public:
    // The window's frame is kept in `frameSettings`.
    explicit SettingsScene(AppDelegate& delegate,
                           std::shared_ptr<PreferenceFile> frameSettings = {});
    ~SettingsScene();
    SettingsScene(const SettingsScene&) = delete;
    SettingsScene& operator=(const SettingsScene&) = delete;

    // What the settings window's views are given.
    static SettingsViewDependencies viewDependencies(AppDelegate& delegate);

    // Opens the window, or raises the open one.
    void show();
    // None until first shown.
    SettingsWindow* window() const { return window_.get(); }

private:
    AppDelegate& delegate_;
    std::shared_ptr<PreferenceFile> frameSettings_;
    std::unique_ptr<SettingsWindow> window_;
};
