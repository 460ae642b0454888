#pragma once

#include <QWidget>

class LineLimitedLabel;
class OneLineLabel;

// A labelled value of the About page: the key in a column 120 pt wide, then
// the value, which wraps onto a second line and is then cut, and which the
// user can select and copy.
class SettingsKeyValueRow : public QWidget {
    Q_OBJECT
public:
    static constexpr int keyColumnWidth = 120;
    static constexpr int valueLineLimit = 2;

    SettingsKeyValueRow(const QString& key, const QString& value, QWidget* parent = nullptr);

    QString key() const;
    QString value() const;
    void setValue(const QString& value);

    OneLineLabel* keyLabel() const { return key_; }
    LineLimitedLabel* valueLabel() const { return value_; }

    void setColors(const QColor& primary, const QColor& secondary);

private:
    OneLineLabel* key_;
    LineLimitedLabel* value_;
};
