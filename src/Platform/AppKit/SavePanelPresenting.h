#pragma once

#include <functional>
#include <optional>

#include <QString>

// How a file-save dialog is set up.
struct SavePanelConfiguration {
    QString title;
    // The file name suggested in the name field.
    QString nameFieldStringValue;
    // The one file type offered, as a name filter ("JSON (*.json)").
    QString allowedContentTypeFilter;
    // The extension every chosen name ends with ("json"): the dialog adds it
    // to a name without it before it asks about replacing a file.
    QString defaultExtension;
    bool canCreateDirectories = true;
};

// Shows a file-save dialog without blocking the caller.
class SavePanelPresenting {
public:
    // The chosen file's path, or none when the dialog was cancelled or gave no location.
    using Completion = std::function<void(std::optional<QString> path)>;

    virtual ~SavePanelPresenting() = default;

    // Returns at once; `completion` runs once, later, on the main thread.
    virtual void begin(const SavePanelConfiguration& configuration, Completion completion) = 0;
};
