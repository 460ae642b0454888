#include "UI/MenuBar/MenuBarController.h"

#include "Platform/AppKit/AccessibleRole.h"
#include "Platform/AppKit/PopoverWindow.h"
#include "Platform/AppKit/Tray/StatusItem.h"
#include "Platform/AppKit/WindowFrames/WindowFrameAutosave.h"
#include "Platform/AppKit/WindowOrdering.h"
#include "Platform/Foundation/PreferenceFile.h"
#include "UI/MenuBar/MenuBarIconStyling.h"
#include "UI/MenuBar/OutsideClickRule.h"
#include "UI/MenuBar/PopoverHeightRule.h"

#include <QApplication>
#include <QCloseEvent>
#include <QVBoxLayout>
#include <QWidget>

namespace {

constexpr auto toggleAfterCloseInterval = std::chrono::milliseconds(300);

// A tool window: hides on close, keeping its view and state, and keeps its
// frame under its autosave name.
class ToolWindow final : public QWidget {
public:
    ToolWindow(const ToolWindowDescriptor& descriptor,
               const std::shared_ptr<PreferenceFile>& frames) {
        AccessibleRole::set(*this, QAccessible::Window);
        setWindowTitle(descriptor.title);
        setAttribute(Qt::WA_DeleteOnClose, false);
        auto* layout = new QVBoxLayout(this);
        layout->setContentsMargins(0, 0, 0, 0);
        setMinimumSize(descriptor.minimumSize);
        if (descriptor.maximumSize) {
            setMaximumSize(*descriptor.maximumSize);
        }
        resize(descriptor.contentSize);
        WindowFrameAutosave::keep(*this, descriptor.frameAutosaveName, frames);
    }
};

} // namespace

std::shared_ptr<MenuBarController> MenuBarController::create(Dependencies dependencies) {
    std::shared_ptr<MenuBarController> controller(new MenuBarController(std::move(dependencies)));
    controller->buildPopover();
    controller->observeIconInputs();
    return controller;
}

MenuBarController::MenuBarController(Dependencies dependencies)
    : dependencies_(std::move(dependencies)), popover_(std::make_unique<PopoverWindow>()) {}

MenuBarController::~MenuBarController() {
    for (auto& [kind, window] : toolWindows_) {
        delete window.data();
    }
}

PopoverCallbacks MenuBarController::makeCallbacks() {
    const std::weak_ptr<MenuBarController> weakController = weak_from_this();
    const auto opening = [weakController](ToolWindowKind kind) {
        return [weakController, kind] {
            if (const auto controller = weakController.lock()) {
                controller->openToolWindow(kind);
            }
        };
    };
    return PopoverCallbacks{
        [weakController](double height) {
            if (const auto controller = weakController.lock()) {
                controller->applyPreferredHeight(height);
            }
        },
        opening(ToolWindowKind::wifiRadar),
        opening(ToolWindowKind::speedTest),
        opening(ToolWindowKind::channelScan),
        opening(ToolWindowKind::diagnosticsExport),
        dependencies_.quit,
    };
}

void MenuBarController::buildPopover() {
    popover_->setContentSize(
        QSize(int(PopoverHeightRule::width), int(PopoverHeightRule::defaultHeight)));
    if (dependencies_.makeContentView) {
        popover_->setContent(dependencies_.makeContentView(makeCallbacks()));
    }
    const std::weak_ptr<MenuBarController> weakController = weak_from_this();
    popover_->setOnClose([weakController] {
        if (const auto controller = weakController.lock()) {
            controller->popoverDidClose();
        }
    });
    // Another application took the focus: the click went elsewhere.
    popover_->setOnDeactivate([weakController] {
        if (const auto controller = weakController.lock()) {
            controller->closeAutomatically();
        }
    });
    popover_->setOnApplicationClick([weakController](QWindow* window) {
        if (const auto controller = weakController.lock()) {
            controller->handleApplicationClick(window);
        }
    });
}

// The redraw reads the values being published: it runs from the
// subscription, after the new value has been stored.
void MenuBarController::observeIconInputs() {
    const std::weak_ptr<MenuBarController> weakController = weak_from_this();
    const auto redraw = [weakController] {
        if (const auto controller = weakController.lock()) {
            controller->updateStatusItemIcon();
        }
    };
    cancellables_.insert(dependencies_.lifecycleController->isMonitoringEnabled().subscribe(
        [redraw](bool) { redraw(); }));
    cancellables_.insert(dependencies_.healthAggregationController->healthState().subscribe(
        [redraw](HealthState) { redraw(); }));
}

void MenuBarController::start() {
    if (statusItem_) {
        return;
    }
    statusItem_ = std::make_unique<StatusItem>();
    statusItem_->setToolTip(QStringLiteral("pelmor"));
    const std::weak_ptr<MenuBarController> weakController = weak_from_this();
    statusItem_->setAction([weakController] {
        if (const auto controller = weakController.lock()) {
            controller->togglePopover();
        }
    });
    if (dependencies_.openSettings) {
        statusItem_->addMenuCommand(QStringLiteral("Settings…"), dependencies_.openSettings);
    }
    if (dependencies_.quit) {
        statusItem_->addMenuCommand(QStringLiteral("Quit"), dependencies_.quit);
    }
    updateStatusItemIcon();
}

void MenuBarController::stop() {
    popover_->performClose();
    statusItem_.reset();
    shownIcon_.reset();
}

bool MenuBarController::isPopoverShown() const {
    return popover_->isShown();
}

void MenuBarController::togglePopover() {
    if (popover_->isShown()) {
        popover_->performClose();
    } else if (std::chrono::steady_clock::now() - lastAutomaticClose_ > toggleAfterCloseInterval) {
        showPopover();
    }
}

void MenuBarController::closeAutomatically() {
    if (popover_->isShown()) {
        lastAutomaticClose_ = std::chrono::steady_clock::now();
        popover_->performClose();
    }
}

void MenuBarController::showPopover() {
    if (!statusItem_) {
        return;
    }
    dependencies_.locationPermissionController->refreshAuthorizationStatus();
    popover_->showBelow(statusItem_->geometry());
    dependencies_.lifecycleController->setPopoverPresented(true);
}

void MenuBarController::popoverDidClose() {
    dependencies_.lifecycleController->setPopoverPresented(false);
}

void MenuBarController::applyPreferredHeight(double height) {
    const auto newHeight = PopoverHeightRule::newHeight(height, popover_->height());
    if (newHeight) {
        popover_->setContentSize(QSize(int(PopoverHeightRule::width), int(*newHeight)));
    }
}

// Clicks in this application's other windows close the popover. A click on
// the tray icon shows up here only where the icon is drawn in a window of
// this application (XEmbed); the icon's own action toggles the popover then.
void MenuBarController::handleApplicationClick(QWindow* window) {
    if (!popover_->isShown()) {
        return;
    }
    QWindow* statusItemWindow = statusItem_ ? statusItem_->window() : nullptr;
    if (OutsideClickRule::closesPopover(window, popover_->windowHandle(), statusItemWindow)) {
        closeAutomatically();
    }
}

QWidget& MenuBarController::buildToolWindow(ToolWindowKind kind) {
    const auto& descriptor = toolWindowDescriptor(kind);
    auto* window = new ToolWindow(descriptor, dependencies_.frameSettings);
    if (dependencies_.makeToolWindowView) {
        window->layout()->addWidget(dependencies_.makeToolWindowView(kind));
    }
    toolWindows_[kind] = window;
    return *window;
}

QWidget* MenuBarController::toolWindow(ToolWindowKind kind) const {
    const auto found = toolWindows_.find(kind);
    return found != toolWindows_.end() ? found->second.data() : nullptr;
}

void MenuBarController::openToolWindow(ToolWindowKind kind) {
    QWidget* window = toolWindow(kind);
    if (window == nullptr) {
        window = &buildToolWindow(kind);
    }
    popover_->performClose();
    WindowOrdering::makeKeyAndOrderFront(*window);
}

void MenuBarController::updateStatusItemIcon() {
    if (!statusItem_ || !dependencies_.makeStatusImage) {
        return;
    }
    const HealthState state = dependencies_.healthAggregationController->healthState().value();
    const bool colorful = dependencies_.colorfulIconSettingsProvider->isColorfulIconEnabled();
    ShownIcon icon{MenuBarIconStyling::style(state, colorful),
                   QStringLiteral("pelmor status ") + state.rawValue()};
    // The health state is published on every recomputation, mostly unchanged:
    // the tray gets a picture only when what it shows changes.
    if (icon == shownIcon_) {
        return;
    }
    if (const auto image = dependencies_.makeStatusImage(icon.style, icon.description)) {
        statusItem_->setIcon(*image);
        shownIcon_ = std::move(icon);
    }
}
