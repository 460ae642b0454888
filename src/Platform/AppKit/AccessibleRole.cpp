#include "Platform/AppKit/AccessibleRole.h"

#include <QAbstractButton>
#include <QAccessibleWidget>
#include <QWidget>

namespace {

constexpr const char* roleProperty = "pelmorAccessibleRole";
constexpr const char* selectedProperty = "pelmorAccessibleSelected";

class RoledWidget final : public QAccessibleWidget {
public:
    RoledWidget(QWidget* widget, QAccessible::Role role) : QAccessibleWidget(widget, role) {}

    QAccessible::State state() const override {
        QAccessible::State state = QAccessibleWidget::state();
        const QVariant selected = widget()->property(selectedProperty);
        if (selected.isValid()) {
            state.selectable = true;
            state.selected = selected.toBool();
        }
        return state;
    }

    QStringList actionNames() const override {
        QStringList names = QAccessibleWidget::actionNames();
        if (button() != nullptr) {
            names.prepend(pressAction());
        }
        return names;
    }

    void doAction(const QString& actionName) override {
        if (actionName == pressAction() && button() != nullptr) {
            button()->click();
            return;
        }
        QAccessibleWidget::doAction(actionName);
    }

private:
    QAbstractButton* button() const { return qobject_cast<QAbstractButton*>(widget()); }
};

QAccessibleInterface* roledWidget(const QString& /*className*/, QObject* object) {
    auto* widget = object->isWidgetType() ? static_cast<QWidget*>(object) : nullptr;
    const QVariant role = widget != nullptr ? widget->property(roleProperty) : QVariant();
    return role.isValid() ? new RoledWidget(widget, static_cast<QAccessible::Role>(role.toInt()))
                          : nullptr;
}

} // namespace

namespace AccessibleRole {

void set(QWidget& widget, QAccessible::Role role) {
    static const bool isInstalled = [] {
        QAccessible::installFactory(&roledWidget);
        return true;
    }();
    Q_UNUSED(isInstalled);
    widget.setProperty(roleProperty, static_cast<int>(role));
}

void setSelected(QWidget& widget, bool selected) {
    const QVariant previous = widget.property(selectedProperty);
    widget.setProperty(selectedProperty, selected);
    if (previous.isValid() && previous.toBool() != selected) {
        QAccessible::State changed;
        changed.selected = true;
        QAccessibleStateChangeEvent event(&widget, changed);
        QAccessible::updateAccessibility(&event);
    }
}

} // namespace AccessibleRole
