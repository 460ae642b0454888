#pragma once

#include "Platform/Network/DefaultRoute.h"
#include "Platform/Network/NetworkLink.h"

#include <linux/netlink.h>
#include <optional>
#include <vector>

#include <QByteArrayView>

// Reads the rtnetlink messages the routing source receives. Every length is
// checked against the bytes at hand: a malformed message ends a datagram, and
// a malformed attribute ends its message's attributes.
namespace RtnetlinkDecoder {

struct Message {
    nlmsghdr header;
    QByteArrayView payload; // the bytes after the header, within nlmsg_len
};

// The messages of one datagram, in order.
std::vector<Message> splitMessages(QByteArrayView datagram);

// A link message (RTM_NEWLINK) as a link; nothing for other messages.
std::optional<NetworkLink> decodeLink(const Message& message);

// A route message (RTM_NEWROUTE) that is a unicast default route of the main
// table, IPv4 or IPv6, with an outgoing interface; nothing otherwise.
std::optional<DefaultRoute> decodeDefaultRoute(const Message& message);

// The error an NLMSG_ERROR message carries, as a positive errno (0 is an
// acknowledgement); nothing for other messages.
std::optional<int> errorCode(const Message& message);

// A notification of the link, address or route groups.
bool isRoutingChange(const Message& message);

} // namespace RtnetlinkDecoder
