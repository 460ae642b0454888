#pragma once

#include <QByteArray>
#include <QDBusArgument>
#include <QIcon>
#include <QList>
#include <QMetaType>
#include <QString>

// A picture as StatusNotifier hosts take it: its size and its pixels, ARGB32
// in network byte order (D-Bus signature "(iiay)").
struct StatusNotifierPixmap {
    int width = 0;
    int height = 0;
    QByteArray bytes;

    // The icon at each of its sizes, or at the sizes panels commonly draw
    // where it has none of its own (a scalable icon); none for a null icon.
    static QList<StatusNotifierPixmap> fromIcon(const QIcon& icon);
};

// A tooltip as StatusNotifier hosts take it: an icon name, pictures, a title
// and a description (D-Bus signature "(sa(iiay)ss)").
struct StatusNotifierToolTip {
    QString iconName;
    QList<StatusNotifierPixmap> pixmaps;
    QString title;
    QString description;
};

QDBusArgument& operator<<(QDBusArgument& argument, const StatusNotifierPixmap& pixmap);
const QDBusArgument& operator>>(const QDBusArgument& argument, StatusNotifierPixmap& pixmap);
QDBusArgument& operator<<(QDBusArgument& argument, const StatusNotifierToolTip& toolTip);
const QDBusArgument& operator>>(const QDBusArgument& argument, StatusNotifierToolTip& toolTip);

Q_DECLARE_METATYPE(StatusNotifierPixmap)
Q_DECLARE_METATYPE(StatusNotifierToolTip)
