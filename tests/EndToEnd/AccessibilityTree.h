#pragma once

#include <functional>
#include <optional>
#include <vector>

#include <QDBusConnection>
#include <QRect>
#include <QString>

// The desktop's accessibility tree (AT-SPI) as assistive technologies read
// it: applications, their windows and the controls in them, by role and
// name, with where each is on screen. Lets a test find a button by what it
// says rather than by where a layout happened to put it.
class AccessibilityTree {
public:
    // One object of the tree: the bus name of its application and its path.
    struct Node {
        QString service;
        QString path;
    };

    // Connects to the session's accessibility bus, starting it if need be.
    static std::optional<AccessibilityTree> connect();

    // The top-level windows on show of the application named `application`.
    std::vector<Node> windows(const QString& application) const;
    // The first object on show under `root` (depth first) that `matches`.
    std::optional<Node> find(const Node& root,
                             const std::function<bool(const Node&)>& matches) const;
    // The first object on show under `root` with `role` and `name`.
    std::optional<Node> findNamed(const Node& root, const QString& role, const QString& name) const;

    QString name(const Node& node) const;
    // The role's name, e.g. "push button", "frame", "label".
    QString role(const Node& node) const;
    // Where the object is on screen; empty when it is not placed.
    QRect extents(const Node& node) const;
    // The whole text of an object with text (labels, text views).
    QString text(const Node& node) const;
    std::vector<Node> children(const Node& node) const;
    bool isShowing(const Node& node) const;
    // Reached by the keyboard; holding its focus; the current one of a set;
    // switched on.
    bool isFocusable(const Node& node) const;
    bool isFocused(const Node& node) const;
    bool isSelected(const Node& node) const;
    bool isChecked(const Node& node) const;
    // Does the object's action of that name, as a screen reader does;
    // whether it was there and answered done.
    bool doAction(const Node& node, const QString& action) const;

private:
    bool hasState(const Node& node, int state) const;

    explicit AccessibilityTree(QDBusConnection bus) : bus_(std::move(bus)) {}

    QDBusConnection bus_;
};
