#include "Platform/Network/RtnetlinkRoutingSource.h"

#include "Platform/Network/RtnetlinkDecoder.h"

#include <array>
#include <cerrno>
#include <cstring>
#include <linux/if_link.h>
#include <linux/netlink.h>
#include <linux/rtnetlink.h>
#include <poll.h>
#include <sys/eventfd.h>
#include <sys/socket.h>
#include <sys/time.h>
#include <system_error>
#include <unistd.h>

namespace {

constexpr std::size_t bufferSize = 64 * 1024;
constexpr int notificationBufferBytes = 1024 * 1024;
// A dump that gets no answer in this time is abandoned (the kernel always
// answers; this bounds the wait should it not).
constexpr int dumpReplyTimeoutSeconds = 5;
// How often a dump the kernel marks as inconsistent is repeated.
constexpr int dumpAttempts = 5;

constexpr unsigned int subscribedGroups =
    RTMGRP_LINK | RTMGRP_IPV4_IFADDR | RTMGRP_IPV6_IFADDR | RTMGRP_IPV4_ROUTE | RTMGRP_IPV6_ROUTE;

std::system_error systemError(int error, const char* what) {
    return std::system_error(error, std::generic_category(), what);
}

int openNetlinkSocket(unsigned int groups) {
    const int descriptor = ::socket(AF_NETLINK, SOCK_RAW | SOCK_CLOEXEC, NETLINK_ROUTE);
    if (descriptor < 0) {
        return -1;
    }
    sockaddr_nl address{};
    address.nl_family = AF_NETLINK;
    address.nl_groups = groups;
    if (::bind(descriptor, reinterpret_cast<const sockaddr*>(&address), sizeof address) != 0) {
        const int error = errno;
        ::close(descriptor);
        errno = error;
        return -1;
    }
    return descriptor;
}

void closeIfOpen(int& descriptor) {
    if (descriptor >= 0) {
        ::close(descriptor);
        descriptor = -1;
    }
}

} // namespace

RtnetlinkRoutingSource::RtnetlinkRoutingSource() : buffer_(bufferSize) {
    open();
}

RtnetlinkRoutingSource::~RtnetlinkRoutingSource() {
    closeIfOpen(eventSocket_);
    closeIfOpen(requestSocket_);
    closeIfOpen(wakeDescriptor_);
}

void RtnetlinkRoutingSource::open() {
    wakeDescriptor_ = ::eventfd(0, EFD_CLOEXEC | EFD_NONBLOCK);
    eventSocket_ = wakeDescriptor_ < 0 ? -1 : openNetlinkSocket(subscribedGroups);
    requestSocket_ = eventSocket_ < 0 ? -1 : openNetlinkSocket(0);
    if (requestSocket_ < 0) {
        openError_ = errno;
        closeIfOpen(eventSocket_);
        closeIfOpen(wakeDescriptor_);
        return;
    }
    // Bursts of notifications (many routes at once) should fit; an overrun is
    // still noticed and treated as a change.
    ::setsockopt(eventSocket_, SOL_SOCKET, SO_RCVBUF, &notificationBufferBytes,
                 sizeof notificationBufferBytes);
    const timeval timeout{dumpReplyTimeoutSeconds, 0};
    ::setsockopt(requestSocket_, SOL_SOCKET, SO_RCVTIMEO, &timeout, sizeof timeout);
}

void RtnetlinkRoutingSource::throwIfNotOpen() const {
    if (openError_ != 0) {
        throw systemError(openError_, "rtnetlink sockets could not be opened");
    }
}

RoutingState RtnetlinkRoutingSource::readState() {
    throwIfNotOpen();
    RoutingState state;
    for (int attempt = 1;; ++attempt) {
        state = {};
        if (dumpInto(state) || attempt == dumpAttempts) {
            return state;
        }
    }
}

bool RtnetlinkRoutingSource::dumpInto(RoutingState& state) {
    const bool linksConsistent = dump(RTM_GETLINK, AF_UNSPEC, state);
    const bool ipv4Consistent = dump(RTM_GETROUTE, AF_INET, state);
    const bool ipv6Consistent = dump(RTM_GETROUTE, AF_INET6, state);
    return linksConsistent && ipv4Consistent && ipv6Consistent;
}

void RtnetlinkRoutingSource::sendDumpRequest(std::uint16_t type, unsigned char family) {
    struct Request {
        nlmsghdr header;
        union {
            ifinfomsg link;
            rtmsg route;
        };
    } request{};
    const std::size_t payloadSize = type == RTM_GETLINK ? sizeof(ifinfomsg) : sizeof(rtmsg);
    request.header.nlmsg_len = NLMSG_LENGTH(payloadSize);
    request.header.nlmsg_type = type;
    request.header.nlmsg_flags = NLM_F_REQUEST | NLM_F_DUMP;
    request.header.nlmsg_seq = ++sequence_;
    if (type == RTM_GETLINK) {
        request.link.ifi_family = family;
    } else {
        request.route.rtm_family = family;
    }
    sockaddr_nl kernel{};
    kernel.nl_family = AF_NETLINK;
    while (::sendto(requestSocket_, &request, request.header.nlmsg_len, 0,
                    reinterpret_cast<const sockaddr*>(&kernel), sizeof kernel) < 0) {
        if (errno != EINTR) {
            throw systemError(errno, "rtnetlink dump request failed");
        }
    }
}

bool RtnetlinkRoutingSource::dump(std::uint16_t type, unsigned char family, RoutingState& state) {
    sendDumpRequest(type, family);
    bool isConsistent = true;
    while (true) {
        const ssize_t received = ::recv(requestSocket_, buffer_.data(), buffer_.size(), 0);
        if (received < 0) {
            if (errno == EINTR) {
                continue;
            }
            throw systemError(errno, "rtnetlink dump could not be read");
        }
        const QByteArrayView datagram(buffer_.data(), received);
        for (const auto& message : RtnetlinkDecoder::splitMessages(datagram)) {
            if (message.header.nlmsg_seq != sequence_) {
                continue; // the rest of an earlier, abandoned dump
            }
            if ((message.header.nlmsg_flags & NLM_F_DUMP_INTR) != 0) {
                isConsistent = false;
            }
            if (message.header.nlmsg_type == NLMSG_DONE) {
                return isConsistent;
            }
            if (const auto error = RtnetlinkDecoder::errorCode(message)) {
                // A kernel without IPv6 refuses the IPv6 dump: no IPv6 routes.
                if (family == AF_INET6 && (*error == EAFNOSUPPORT || *error == EOPNOTSUPP)) {
                    return isConsistent;
                }
                throw systemError(*error, "rtnetlink dump was refused");
            }
            if (const auto link = RtnetlinkDecoder::decodeLink(message)) {
                state.links.push_back(*link);
            } else if (const auto route = RtnetlinkDecoder::decodeDefaultRoute(message)) {
                state.defaultRoutes.push_back(*route);
            }
        }
    }
}

bool RtnetlinkRoutingSource::waitForChange() {
    throwIfNotOpen();
    while (true) {
        std::array<pollfd, 2> descriptors{
            {{wakeDescriptor_, POLLIN, 0}, {eventSocket_, POLLIN, 0}}};
        if (::poll(descriptors.data(), descriptors.size(), -1) < 0) {
            if (errno == EINTR) {
                continue;
            }
            throw systemError(errno, "waiting for rtnetlink notifications failed");
        }
        // The wake-up is never consumed, so every later wait ends at once too.
        if (descriptors[0].revents != 0) {
            return false;
        }
        if (descriptors[1].revents != 0 && drainNotifications()) {
            return true;
        }
    }
}

bool RtnetlinkRoutingSource::drainNotifications() {
    bool hasChange = false;
    while (true) {
        sockaddr_nl sender{};
        socklen_t senderSize = sizeof sender;
        const ssize_t received =
            ::recvfrom(eventSocket_, buffer_.data(), buffer_.size(), MSG_DONTWAIT,
                       reinterpret_cast<sockaddr*>(&sender), &senderSize);
        if (received < 0) {
            if (errno == EINTR) {
                continue;
            }
            if (errno == EAGAIN || errno == EWOULDBLOCK) {
                return hasChange;
            }
            if (errno == ENOBUFS) {
                // The kernel dropped notifications: the state must be read again.
                hasChange = true;
                continue;
            }
            throw systemError(errno, "rtnetlink notifications could not be read");
        }
        if (sender.nl_pid != 0) {
            continue; // only the kernel speaks for the routing state
        }
        const QByteArrayView datagram(buffer_.data(), received);
        for (const auto& message : RtnetlinkDecoder::splitMessages(datagram)) {
            hasChange = hasChange || RtnetlinkDecoder::isRoutingChange(message);
        }
    }
}

void RtnetlinkRoutingSource::interrupt() {
    if (wakeDescriptor_ >= 0) {
        const std::uint64_t one = 1;
        // Can only fail when the counter is saturated, which leaves it readable.
        [[maybe_unused]] const ssize_t written = ::write(wakeDescriptor_, &one, sizeof one);
    }
}
