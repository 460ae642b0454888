#pragma once

#include <map>
#include <optional>

#include <QString>

// The application's bundle information: a dictionary of texts by key, and the
// path of the executable file. `mainBundle()` holds the values generated when
// the build was configured; tests build their own.
class BundleInfo {
public:
    using Dictionary = std::map<QString, QString>;

    explicit BundleInfo(Dictionary values = {},
                        std::optional<QString> executablePath = std::nullopt);

    // The running application's bundle; its executable is the running program
    // when a Qt application object exists.
    static BundleInfo mainBundle();

    std::optional<QString> value(const QString& key) const;
    const std::optional<QString>& executablePath() const { return executablePath_; }

private:
    Dictionary values_;
    std::optional<QString> executablePath_;
};
