#pragma once

#include <QAccessible>

class QWidget;

// What a widget is to assistive technologies, where the interface Qt gives it
// by its class says nothing or the wrong thing: a plain widget reads as a
// nameless "filler", a custom-drawn tab as a push button. The role given here
// wins over the class's; a button keeps its press action, and a page tab
// tells whether it is the current one.
namespace AccessibleRole {

// Given before the widget is first read (in its constructor): Qt keeps the
// interface it made first.
void set(QWidget& widget, QAccessible::Role role);

// Marks a page tab as the current one or not, and tells a screen reader that
// follows it.
void setSelected(QWidget& widget, bool selected);

} // namespace AccessibleRole
