#pragma once

#include <chrono>
#include <cstdint>
#include <functional>
#include <memory>

struct nl_msg;
struct nl_sock;

// A generic-netlink socket talking to the kernel's nl80211 family, resolved
// once when the socket opens. Not thread-safe: one user at a time.
class Nl80211Socket {
public:
    using MessageHandler = std::function<void(nl_msg*)>;
    using AttributeWriter = std::function<bool(nl_msg*)>;

    // None when netlink or nl80211 is unavailable (no wireless stack).
    static std::unique_ptr<Nl80211Socket> open();

    ~Nl80211Socket();
    Nl80211Socket(const Nl80211Socket&) = delete;
    Nl80211Socket& operator=(const Nl80211Socket&) = delete;

    // Sends one command (a dump when `isDump`), with the attributes `write`
    // adds, and hands every reply to `onReply` until the kernel acknowledges
    // or ends the dump. Returns 0, or a negative errno: the kernel's answer, or
    // EIO when the exchange itself failed. Waits at most a second for a reply.
    int request(std::uint8_t command, bool isDump, const AttributeWriter& write,
                const MessageHandler& onReply);

    // Joins one of nl80211's multicast groups ("scan", "mlme", ...) to receive
    // its events; returns 0 or a negative errno.
    int subscribe(const char* group);

    // Hands every event received before `deadline` to `onEvent` until it
    // returns true. Returns 0 when it did, -ETIMEDOUT at the deadline, or
    // another negative errno.
    int waitForEvent(const std::function<bool(nl_msg*)>& onEvent,
                     std::chrono::steady_clock::time_point deadline);

private:
    Nl80211Socket(nl_sock* socket, int family);

    nl_sock* socket_;
    int family_;
};
