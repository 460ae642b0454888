#pragma once

#include "Platform/AppKit/PasteboardWriting.h"

// The desktop's system-wide clipboard.
class GeneralPasteboard final : public PasteboardWriting {
public:
    void clearContents() override;
    // True when the clipboard reads back exactly the text; false without a
    // clipboard (no GUI application).
    bool setString(const QString& text) override;
};
