#pragma once

#include "UI/Settings/SettingsColors.h"

#include <functional>
#include <vector>

#include <QColor>
#include <QPointer>

// Which colour role each text of a settings page is drawn in, so that the
// page can follow a change of the desktop's palette.
class SettingsColorBindings {
public:
    using Role = QColor SettingsColors::*;

    // Draws `view` (anything with setColor) in `role` from the next apply on.
    template <class View> View* bind(View* view, Role role) {
        bindings_.push_back([guarded = QPointer<View>(view), role](const SettingsColors& colors) {
            if (guarded) {
                guarded->setColor(colors.*role);
            }
        });
        return view;
    }

    void apply(const SettingsColors& colors) const {
        for (const auto& binding : bindings_) {
            binding(colors);
        }
    }

private:
    std::vector<std::function<void(const SettingsColors&)>> bindings_;
};
