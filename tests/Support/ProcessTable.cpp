#include "Support/ProcessTable.h"

#include <map>
#include <optional>
#include <unistd.h>

#include <QDir>
#include <QFile>

namespace {

struct ProcessStatus {
    pid_t parent;
    char state;
};

// The fields of /proc/PID/stat from the state on: they follow the command
// name, which is in parentheses and may itself hold blanks and parentheses.
QList<QByteArray> statFields(pid_t pid) {
    QFile file(QStringLiteral("/proc/%1/stat").arg(pid));
    if (!file.open(QIODevice::ReadOnly)) {
        return {};
    }
    const QByteArray stat = file.readAll();
    const qsizetype nameEnd = stat.lastIndexOf(')');
    return nameEnd < 0 ? QList<QByteArray>() : stat.mid(nameEnd + 2).split(' ');
}

std::optional<ProcessStatus> statusOf(pid_t pid) {
    const QList<QByteArray> fields = statFields(pid);
    if (fields.size() < 2 || fields[0].isEmpty()) {
        return std::nullopt;
    }
    return ProcessStatus{pid_t(fields[1].toInt()), fields[0].at(0)};
}

} // namespace

namespace ProcessTable {

std::vector<pid_t> descendantsOf(pid_t ancestor) {
    std::multimap<pid_t, pid_t> childrenByParent;
    for (const QString& entry : QDir(QStringLiteral("/proc")).entryList(QDir::Dirs)) {
        bool isNumber = false;
        const pid_t pid = pid_t(entry.toInt(&isNumber));
        if (const auto status = isNumber ? statusOf(pid) : std::nullopt) {
            childrenByParent.emplace(status->parent, pid);
        }
    }
    std::vector<pid_t> descendants;
    std::vector<pid_t> toVisit{ancestor};
    while (!toVisit.empty()) {
        const pid_t parent = toVisit.back();
        toVisit.pop_back();
        const auto [first, last] = childrenByParent.equal_range(parent);
        for (auto child = first; child != last; ++child) {
            descendants.push_back(child->second);
            toVisit.push_back(child->second);
        }
    }
    return descendants;
}

bool isRunning(pid_t pid) {
    const auto status = statusOf(pid);
    return status && status->state != 'Z' && status->state != 'X';
}

QString commandLine(pid_t pid) {
    QFile file(QStringLiteral("/proc/%1/cmdline").arg(pid));
    if (!file.open(QIODevice::ReadOnly)) {
        return {};
    }
    return QString::fromLocal8Bit(file.readAll().replace('\0', ' ').trimmed());
}

std::chrono::milliseconds cpuTime(pid_t pid) {
    // User and system time, in clock ticks, are the 14th and 15th fields.
    const QList<QByteArray> fields = statFields(pid);
    if (fields.size() < 13) {
        return {};
    }
    const long long ticks = fields[11].toLongLong() + fields[12].toLongLong();
    return std::chrono::milliseconds(ticks * 1000 / ::sysconf(_SC_CLK_TCK));
}

bool ignoresSignal(pid_t pid, int signalNumber) {
    QFile file(QStringLiteral("/proc/%1/status").arg(pid));
    if (!file.open(QIODevice::ReadOnly)) {
        return false;
    }
    for (const QByteArray& line : file.readAll().split('\n')) {
        if (line.startsWith("SigIgn:")) {
            return (line.mid(7).trimmed().toULongLong(nullptr, 16) >> (signalNumber - 1)) & 1U;
        }
    }
    return false;
}

} // namespace ProcessTable
