#pragma once

#include "Platform/Foundation/IniSettingsFormat.h"

#include <chrono>
#include <cstdint>
#include <functional>
#include <optional>

#include <QHash>
#include <QObject>
#include <QString>
#include <QTimer>
#include <QVariant>

struct stat;

// The application's one preference file, in QSettings' INI format, read and
// written only while its path leads, through any links, to a regular file.
// A key set or removed and not yet written is pending: nothing read from the
// file replaces it, and every other key reads as the file holds it now (a
// hand edit included). Each write takes the file as it is just then, puts the
// pending keys in, and replaces it at once beside the file behind any links;
// a file changed before the rename is read and merged again. A failed write
// leaves the keys pending for the next change, or for a retry a few seconds
// later. The first time the path leads anywhere else (a FIFO, a device, a
// folder, a link loop), `refused` is called, the path is left as it is for the
// rest of the session, and what is set is kept in memory. Nothing blocks.
class PreferenceFile final : public QObject {
public:
    // The steps of a write that tests replace.
    struct WriteSteps {
        // Writes all of `bytes` to the new file's descriptor and flushes it to
        // the disk; false, errno set, on failure.
        std::function<bool(int descriptor, const QByteArray& bytes)> writeAll;
        // Called just before the file is looked at for the rename.
        std::function<void()> beforeRename;
        // How long after a failed write it is tried again, while anything is
        // still pending.
        std::chrono::milliseconds retryDelay{3000};
    };

    explicit PreferenceFile(QString path, std::function<void()> refused = {});
    PreferenceFile(QString path, std::function<void()> refused, WriteSteps steps);
    ~PreferenceFile() override;

    QVariant value(const QString& key) const;
    // Each change is written on a later turn of the event loop.
    void setValue(const QString& key, const QVariant& value);
    void remove(const QString& key);
    // Writes what is pending now; whether nothing is left pending.
    bool sync();

protected:
    bool event(QEvent* event) override;

private:
    // What a path led to when looked at; all zero when nothing is there.
    struct Identity {
        std::uint64_t device = 0, inode = 0, size = 0, modified = 0;
        bool operator==(const Identity&) const = default;
    };
    enum class Outcome { written, changed, failed };

    static Identity identityOf(const struct stat& status);
    static Identity identityAt(const QString& path);

    void change(const QString& key, std::optional<QVariant> value);
    // The file as last read, with the pending keys put in.
    IniSettingsFormat::Entries fileWithPending() const;
    // Reads the file when it is not as last read; false when it cannot be.
    bool refresh() const;
    Outcome replace(const QByteArray& bytes);
    // Writes a new file beside `target`: its name and what it is, none on
    // failure.
    std::optional<QByteArray> writeBeside(const QByteArray& target, const QByteArray& bytes,
                                          Identity& identity);
    void refuse() const;

    QString path_;
    std::function<void()> onRefused_;
    WriteSteps steps_;
    QHash<QString, std::optional<QVariant>> pending_;
    mutable IniSettingsFormat::Entries file_;
    mutable std::optional<Identity> read_;
    mutable bool refused_ = false;
    bool syncPosted_ = false;
    QTimer retry_;
};
