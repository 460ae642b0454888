#pragma once

#include <optional>

#include <QWidget>

class OneLineLabel;

// Why the last test failed, after it has ended: a red warning sign beside the
// error's text, which comes from the network stack and so is drawn as plain
// text on one line, cut with an ellipsis when it is too long. Centred.
class SpeedTestFailureNotice : public QWidget {
    Q_OBJECT
public:
    explicit SpeedTestFailureNotice(QWidget* parent = nullptr);

    // No message hides the notice.
    void setMessage(const std::optional<QString>& message);

    OneLineLabel* messageLabel() const { return message_; }

private:
    OneLineLabel* message_;
};
