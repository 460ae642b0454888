#pragma once

#include <QWidget>

class LineLimitedLabel;
class OneLineLabel;

// A key in a 90 pt column beside its value, which takes the rest of the
// width on at most two lines; both aligned to the top.
class SettingsOverlayKeyValueRow : public QWidget {
    Q_OBJECT
public:
    static constexpr int keyWidth = 90;

    SettingsOverlayKeyValueRow(const QString& key, const QString& value, QWidget* parent = nullptr);

    QString key() const;
    QString value() const;
    OneLineLabel* keyLabel() const { return key_; }
    LineLimitedLabel* valueLabel() const { return value_; }

private:
    OneLineLabel* key_;
    LineLimitedLabel* value_;
};
