#include "Platform/AppKit/GeneralPasteboard.h"

#include <QClipboard>
#include <QGuiApplication>

void GeneralPasteboard::clearContents() {
    if (QClipboard* clipboard = QGuiApplication::clipboard()) {
        clipboard->clear();
    }
}

bool GeneralPasteboard::setString(const QString& text) {
    QClipboard* clipboard = QGuiApplication::clipboard();
    if (clipboard == nullptr) {
        return false;
    }
    clipboard->setText(text);
    return clipboard->text() == text;
}
