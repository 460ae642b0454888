#pragma once

#include <functional>
#include <memory>
#include <optional>

#include <QByteArray>
#include <QSettings>

class QTemporaryDir;

// Settings in the file at a path, read and written only while that path leads,
// through any links, to a regular file. Qt's settings work on a private copy
// in a private folder; each sync (soon after a change, and at the end) brings
// in what the file holds when that changed meanwhile (a hand edit, another
// object's save), syncs the copy, and writes the copy back whole beside the
// file and renamed over it. Nothing opens the path in a way that could block.
// The first time the path leads anywhere else (a FIFO, a device, a folder, a
// link loop), `refused` is called, the path is left as it is for the rest of
// the session, and what is set is kept in memory.
class RegularFileSettings final : public QSettings {
public:
    // None when no private folder can be made for the copy.
    static std::unique_ptr<RegularFileSettings> open(const QString& path,
                                                     std::function<void()> refused = {});
    ~RegularFileSettings() override;

    // QSettings::sync, on the file at the path. Qt's own sync, called through
    // a QSettings pointer, syncs the copy only; the file follows at the next.
    void sync();

protected:
    bool event(QEvent* event) override;

private:
    RegularFileSettings(QString path, std::unique_ptr<QTemporaryDir> folder,
                        std::function<void()> refused);
    // Whether the copy holds what the file does (`contents`; none: no file),
    // or, while the file is as last synced, what was last synced.
    bool copyHolds(const std::optional<QByteArray>& contents);
    void writeBackCopy();
    void refuse();

    QString path_;
    std::unique_ptr<QTemporaryDir> folder_;
    std::function<void()> onRefused_;
    bool refused_ = false;
    // What the file held when it was last read or written; none when absent.
    std::optional<QByteArray> known_;
    // Each copy put in place gets a modification time of its own, so that
    // Qt, which compares size and time, reads it again.
    qint64 copyGeneration_ = 0;
};
