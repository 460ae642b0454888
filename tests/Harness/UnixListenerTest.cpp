#include "Support/UnixListener.h"

#include <gtest/gtest.h>
#include <optional>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>
#include <utility>

#include <QFile>
#include <QTemporaryDir>

namespace {

// A socket of someone else's bound at `path`: listening, or stale once closed.
int boundSocket(const QByteArray& path) {
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    path.toStdString().copy(address.sun_path, sizeof address.sun_path - 1);
    const int descriptor = ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
    EXPECT_EQ(::bind(descriptor, reinterpret_cast<const sockaddr*>(&address), sizeof address), 0);
    EXPECT_EQ(::listen(descriptor, 1), 0);
    return descriptor;
}

std::optional<ino_t> inodeAt(const QByteArray& path) {
    struct stat found {};
    return ::lstat(path.constData(), &found) == 0 ? std::optional(found.st_ino) : std::nullopt;
}

} // namespace

// A test's listener never removes a file it did not make: one there before it
// (a server's socket, a stale one, any file) stays, and so does one put in
// place of its own meanwhile. Its own goes with it.
TEST(UnixListenerTest, RemovesOnlyTheSocketFileItMade) {
    using enum UnixListener::AtPath;
    enum class Before { nothing, runningServer, staleSocket, plainFile };
    const struct {
        const char* name;
        Before before;
        UnixListener::AtPath atPath;
        bool replacedMeanwhile;
        bool listens;
    } cases[] = {
        {"free path", Before::nothing, mustBeFree, false, true},
        {"a server's socket", Before::runningServer, mustBeFree, false, false},
        {"a server's socket, stale ones replaced", Before::runningServer, mayReplaceStaleSocket,
         false, false},
        {"a stale socket", Before::staleSocket, mustBeFree, false, false},
        {"a stale socket, replaced", Before::staleSocket, mayReplaceStaleSocket, false, true},
        {"a plain file, stale ones replaced", Before::plainFile, mayReplaceStaleSocket, false,
         false},
        {"its own replaced meanwhile", Before::nothing, mustBeFree, true, true},
    };
    for (const auto& example : cases) {
        SCOPED_TRACE(example.name);
        const QTemporaryDir folder;
        const QByteArray path = QFile::encodeName(folder.filePath(QStringLiteral("X7")));
        int other = -1;
        if (example.before == Before::runningServer || example.before == Before::staleSocket) {
            other = boundSocket(path);
        } else if (example.before == Before::plainFile) {
            QFile(QFile::decodeName(path)).open(QIODevice::WriteOnly);
        }
        if (example.before == Before::staleSocket) {
            ::close(std::exchange(other, -1));
        }
        std::optional<ino_t> keptInode = inodeAt(path);
        {
            const UnixListener listener(path, 4, example.atPath);
            EXPECT_EQ(listener.isListening(), example.listens);
            if (example.listens) {
                EXPECT_NE(inodeAt(path), std::nullopt);
                keptInode.reset();
            }
            if (example.replacedMeanwhile) {
                ::unlink(path.constData());
                other = boundSocket(path);
                keptInode = inodeAt(path);
            }
        }
        EXPECT_EQ(inodeAt(path), keptInode);
        if (other >= 0) {
            ::close(other);
        }
    }
}
