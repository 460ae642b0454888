#pragma once

#include <functional>
#include <memory>

#include <QSize>
#include <QString>
#include <QWidget>

// One picture the snapshot program writes: a view built with fixed sample
// values, laid out at `size` (a height of 0 takes the height the view needs at
// that width, a width of 0 its preferred size) and saved as `name`.png.
struct Snapshot {
    QString name;
    QSize size;
    std::function<std::unique_ptr<QWidget>()> build;
};
