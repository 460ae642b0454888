#pragma once

#include "AppState/HealthAggregationController.h"
#include "AppState/LocationPermissionController.h"
#include "AppState/MonitoringLifecycleController.h"
#include "Platform/Reactive/CancellableSet.h"
#include "UI/MenuBar/ColorfulIconSettingsProviding.h"
#include "UI/MenuBar/MenuBarIconStyle.h"
#include "UI/MenuBar/PopoverCallbacks.h"
#include "UI/MenuBar/ToolWindowKind.h"

#include <chrono>
#include <functional>
#include <map>
#include <memory>
#include <optional>

#include <QIcon>
#include <QPointer>

class PopoverWindow;
class PreferenceFile;
class QWidget;
class StatusItem;

// The application's presence on screen outside the settings window: the tray
// icon with its health badge, the popover it opens, and the four tool
// windows. It measures nothing: it hosts the views, tells the lifecycle
// controller when the popover shows or closes, and redraws the icon when the
// health state or the monitoring switch changes.
class MenuBarController final : public std::enable_shared_from_this<MenuBarController> {
public:
    struct Dependencies {
        std::shared_ptr<MonitoringLifecycleController> lifecycleController;
        std::shared_ptr<LocationPermissionController> locationPermissionController;
        std::shared_ptr<HealthAggregationController> healthAggregationController;
        std::shared_ptr<ColorfulIconSettingsProviding> colorfulIconSettingsProvider;
        // The popover's root view, given the controller's callbacks.
        std::function<QWidget*(PopoverCallbacks)> makeContentView;
        // The content of each tool window.
        std::function<QWidget*(ToolWindowKind)> makeToolWindowView;
        // The icon for a badge and its accessibility description; none when
        // the badge symbol is unknown. Called only when the look changes.
        std::function<std::optional<QIcon>(const MenuBarIconStyle&, const QString&)>
            makeStatusImage;
        std::function<void()> quit;
        std::function<void()> openSettings;
        // Where tool-window frames are kept between runs.
        std::shared_ptr<PreferenceFile> frameSettings;
    };

    static std::shared_ptr<MenuBarController> create(Dependencies dependencies);
    ~MenuBarController();
    MenuBarController(const MenuBarController&) = delete;
    MenuBarController& operator=(const MenuBarController&) = delete;

    void start();
    void stop();
    void togglePopover();
    void openToolWindow(ToolWindowKind kind);
    void updateStatusItemIcon();

    bool isPopoverShown() const;
    StatusItem* statusItem() const { return statusItem_.get(); }
    PopoverWindow& popover() const { return *popover_; }
    QWidget* toolWindow(ToolWindowKind kind) const;

private:
    explicit MenuBarController(Dependencies dependencies);
    void buildPopover();
    void observeIconInputs();
    void showPopover();
    void popoverDidClose();
    void closeAutomatically();
    void applyPreferredHeight(double height);
    void handleApplicationClick(QWindow* window);
    QWidget& buildToolWindow(ToolWindowKind kind);
    PopoverCallbacks makeCallbacks();

    // What the status item's picture shows.
    struct ShownIcon {
        MenuBarIconStyle style;
        QString description;
        bool operator==(const ShownIcon&) const = default;
    };

    // When the popover last closed on its own (focus lost, outside click). A
    // click on the tray icon closes the popover that way first; the toggle
    // that follows at once must not open it again.
    std::chrono::steady_clock::time_point lastAutomaticClose_{};

    Dependencies dependencies_;
    std::unique_ptr<PopoverWindow> popover_;
    std::unique_ptr<StatusItem> statusItem_;
    std::optional<ShownIcon> shownIcon_;
    std::map<ToolWindowKind, QPointer<QWidget>> toolWindows_;
    Reactive::CancellableSet cancellables_;
};
