#pragma once

#include <functional>
#include <optional>

#include <QWidget>

class BackButton;
class OneLineLabel;

// The header of an overlay panel: its title (18 pt semibold), optionally a
// small subtitle under it, and the Back button at the trailing edge, aligned
// to the top.
class OverlayCardHeader : public QWidget {
    Q_OBJECT
public:
    OverlayCardHeader(const QString& title, const std::optional<QString>& subtitle,
                      const QString& backAccessibilityLabel, std::function<void()> onBack,
                      QWidget* parent = nullptr);

    QString title() const;
    BackButton* backButton() const { return back_; }

private:
    OneLineLabel* title_;
    BackButton* back_;
};
