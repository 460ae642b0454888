#pragma once

#include <QDialog>

class QLabel;
class SettingsBorderedButton;

// The alert "Launch at Login" of the settings window: its title, the message
// of a failed login-item change as plain text, and one "OK" button that
// dismisses it (as does Escape). It is modal to its window only and is opened
// without a nested event loop.
class LaunchAtLoginAlert : public QDialog {
    Q_OBJECT
public:
    static inline const QString title = QStringLiteral("Launch at Login");

    explicit LaunchAtLoginAlert(QWidget* parent);

    // Shows `message`, or replaces the message of the open alert.
    void present(const QString& message);

    QString message() const;
    QLabel* titleLabel() const { return title_; }
    QLabel* messageLabel() const { return message_; }
    SettingsBorderedButton* okButton() const { return ok_; }

private:
    QLabel* title_;
    QLabel* message_;
    SettingsBorderedButton* ok_;
};
