#include "Support/NetworkNamespaceEntry.h"

#include <fcntl.h>
#include <sched.h>
#include <unistd.h>

NetworkNamespaceEntry::NetworkNamespaceEntry(const QString& namespaceName)
    : original_(::open("/proc/thread-self/ns/net", O_RDONLY | O_CLOEXEC)) {
    const QByteArray path = QStringLiteral("/run/netns/%1").arg(namespaceName).toLocal8Bit();
    const int target = ::open(path.constData(), O_RDONLY | O_CLOEXEC);
    isEntered_ = original_ >= 0 && target >= 0 && ::setns(target, CLONE_NEWNET) == 0;
    if (target >= 0) {
        ::close(target);
    }
}

NetworkNamespaceEntry::~NetworkNamespaceEntry() {
    if (isEntered_) {
        ::setns(original_, CLONE_NEWNET);
    }
    if (original_ >= 0) {
        ::close(original_);
    }
}
