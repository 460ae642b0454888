#pragma once

#include <functional>
#include <stdexcept>

#include <QString>
#include <QStringList>
#include <QUrl>

// The application as a login item: an XDG autostart entry
// ($XDG_CONFIG_HOME/autostart/pelmor.desktop) that the desktop runs at login.
class LoginItemService {
public:
    enum class Status { notRegistered, enabled, requiresApproval, notFound };

    // Why the entry could not be written or removed.
    class Error : public std::runtime_error {
    public:
        explicit Error(const QString& description);
        QString description() const { return QString::fromUtf8(what()); }
    };

    // Where autostart entries live: $XDG_CONFIG_HOME/autostart, or
    // ~/.config/autostart when the variable is unset or empty.
    static QString defaultAutostartDirectory();
    // This process's executable, without arguments.
    static QStringList defaultCommand();

    explicit LoginItemService(QString autostartDirectory = defaultAutostartDirectory(),
                              QStringList command = defaultCommand(),
                              std::function<bool(const QUrl&)> urlOpener = {});
    virtual ~LoginItemService() = default;

    // Enabled while the entry would start this application at login: a
    // regular file (behind any links), an application entry, neither hidden
    // nor disabled for GNOME, whose Exec program resolves (on PATH, through
    // links) to the same file as the command's. Not registered otherwise,
    // whatever is there; approval is never required here.
    virtual Status status() const;
    // Writes the entry to a new file beside its path and renames it over the
    // path: a file, a link (never its target) or an empty folder there makes
    // way. Anything else there is left alone; throws Error.
    virtual void registerItem();
    // Removes a file or a link at the entry's path (never a link's target);
    // anything else there is left alone. Throws Error.
    virtual void unregisterItem();
    // Shows the folder of login items.
    virtual void openLoginItemsSettings() const;

    QString entryPath() const;

private:
    QString autostartDirectory_;
    QStringList command_;
    std::function<bool(const QUrl&)> urlOpener_;
};
