#pragma once

#include <optional>

#include <QWidget>

class SectionLabel;

// A titled section of the popover: the title as a section caption above the
// content, 6 pt apart, with no background, border or inset. Untitled, the
// content alone.
class PlainGroupBox : public QWidget {
    Q_OBJECT
public:
    PlainGroupBox(const std::optional<QString>& title, QWidget* content, QWidget* parent = nullptr);

    QWidget* content() const { return content_; }
    SectionLabel* titleLabel() const { return title_; }

private:
    SectionLabel* title_ = nullptr;
    QWidget* content_;
};
