#pragma once

#include <QString>

// A clipboard that takes plain text.
class PasteboardWriting {
public:
    virtual ~PasteboardWriting() = default;

    virtual void clearContents() = 0;
    // Places the whole text as plain text; whether the clipboard took it.
    virtual bool setString(const QString& text) = 0;
};
