#include "UI/Settings/SettingsTab.h"

QString settingsTabTitle(SettingsTab tab) {
    QString title = tab.rawValue();
    if (!title.isEmpty()) {
        title[0] = title[0].toUpper();
    }
    return title;
}

QString settingsTabSymbolName(SettingsTab tab) {
    switch (tab) {
    case SettingsTab::general:
        return QStringLiteral("slider.horizontal.3");
    case SettingsTab::about:
        return QStringLiteral("info.circle");
    }
    return {};
}
