#include "Support/FreeXDisplayNumber.h"

#include <cstddef>
#include <cstring>
#include <string>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>

namespace {

bool exists(const std::string& path) {
    struct stat found {};
    return ::lstat(path.c_str(), &found) == 0;
}

// Binding the name is refused while a server holds it; a bound name is
// given up again when the socket closes.
bool abstractNameIsFree(const std::string& name) {
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    std::memcpy(address.sun_path + 1, name.data(), name.size());
    const int probe = ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
    const bool bound = ::bind(probe, reinterpret_cast<const sockaddr*>(&address),
                              socklen_t(offsetof(sockaddr_un, sun_path) + 1 + name.size())) == 0;
    ::close(probe);
    return bound;
}

bool isFree(int number) {
    const std::string socketPath = "/tmp/.X11-unix/X" + std::to_string(number);
    return !exists(socketPath) && !exists("/tmp/.X" + std::to_string(number) + "-lock") &&
           abstractNameIsFree(socketPath);
}

} // namespace

// From a number of the process's own, so that test processes running side by
// side seldom meet.
int freeXDisplayNumber() {
    const int first = 40000 + int(::getpid() % 20000);
    for (int number = first; number < first + 1000; ++number) {
        if (isFree(number)) {
            return number;
        }
    }
    return first;
}
