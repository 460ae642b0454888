#pragma once

#include <QString>

// Where the stand-ins for the command-line tools live. Probes name tools by
// their absolute macOS paths ("/sbin/ping"); at launch such a path is looked
// up under the tool root ("<root>/sbin/ping").
class ToolRoot {
public:
    explicit ToolRoot(QString directory) : directory_(std::move(directory)) {}

    // PELMOR_TOOL_ROOT when set and not empty; otherwise the tool root
    // installed beside the executable.
    static ToolRoot locate();

    const QString& directory() const { return directory_; }
    QString resolve(const QString& absolutePath) const;

private:
    QString directory_;
};
