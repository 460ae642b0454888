#include "Support/FreeXDisplayNumber.h"

#include "Support/FakeXServer.h"
#include "Support/UnixListener.h"

#include <cstddef>
#include <cstring>
#include <fcntl.h>
#include <gtest/gtest.h>
#include <optional>
#include <string>
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>
#include <utility>

#include <QFile>

// A number is free only while nothing of an X server's is there: its socket
// file, its lock file, or its abstract socket.
TEST(FreeXDisplayNumberTest, PassesOverANumberAServerHolds) {
    enum class Held { socketFile, lockFile, abstractSocket };
    const std::pair<Held, const char*> cases[] = {{Held::socketFile, "socket file"},
                                                  {Held::lockFile, "lock file"},
                                                  {Held::abstractSocket, "abstract socket"}};
    for (const auto& [held, name] : cases) {
        SCOPED_TRACE(name);
        const int number = freeXDisplayNumber();
        const std::string numberText = std::to_string(number);
        std::optional<UnixListener> socketFile;
        const std::string lockPath = "/tmp/.X" + numberText + "-lock";
        int lockFile = -1;
        int abstractSocket = -1;
        if (held == Held::socketFile) {
            ASSERT_TRUE(socketFile.emplace(QFile::encodeName(FakeXServer::socketPath(number)), 1)
                            .isListening());
        } else if (held == Held::lockFile) {
            lockFile = ::open(lockPath.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0444);
            ASSERT_GE(lockFile, 0);
        } else {
            const std::string abstractName = "/tmp/.X11-unix/X" + numberText;
            sockaddr_un address{};
            address.sun_family = AF_UNIX;
            std::memcpy(address.sun_path + 1, abstractName.data(), abstractName.size());
            abstractSocket = ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
            ASSERT_EQ(::bind(abstractSocket, reinterpret_cast<const sockaddr*>(&address),
                             socklen_t(offsetof(sockaddr_un, sun_path) + 1 + abstractName.size())),
                      0);
        }
        EXPECT_NE(freeXDisplayNumber(), number);
        if (lockFile >= 0) {
            ::close(lockFile);
            ::unlink(lockPath.c_str());
        }
        if (abstractSocket >= 0) {
            ::close(abstractSocket);
        }
    }
}
