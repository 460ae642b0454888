#include "Platform/Network/RtnetlinkDecoder.h"

#include <cstring>
#include <limits>
#include <linux/if.h>
#include <linux/if_link.h>
#include <linux/rtnetlink.h>
#include <sys/socket.h>

namespace RtnetlinkDecoder {

namespace {

struct Attribute {
    unsigned short type;
    QByteArrayView value;
};

template <class T> std::optional<T> readStruct(QByteArrayView bytes) {
    if (bytes.size() < static_cast<qsizetype>(sizeof(T))) {
        return std::nullopt;
    }
    T value;
    std::memcpy(&value, bytes.data(), sizeof(T));
    return value;
}

std::optional<std::uint32_t> readUnsigned32(QByteArrayView bytes) {
    return readStruct<std::uint32_t>(bytes);
}

// The attributes that follow a fixed header of `headerSize` bytes.
std::vector<Attribute> splitAttributes(QByteArrayView payload, std::size_t headerSize) {
    std::vector<Attribute> attributes;
    qsizetype offset = static_cast<qsizetype>(NLMSG_ALIGN(headerSize));
    while (payload.size() - offset >= static_cast<qsizetype>(sizeof(rtattr))) {
        const auto header = readStruct<rtattr>(payload.sliced(offset));
        const qsizetype length = header->rta_len;
        if (length < static_cast<qsizetype>(sizeof(rtattr)) || length > payload.size() - offset) {
            break;
        }
        const qsizetype valueOffset = offset + static_cast<qsizetype>(RTA_LENGTH(0));
        attributes.push_back({static_cast<unsigned short>(header->rta_type & NLA_TYPE_MASK),
                              payload.sliced(valueOffset, offset + length - valueOffset)});
        offset += static_cast<qsizetype>(RTA_ALIGN(length));
    }
    return attributes;
}

QString readName(QByteArrayView value) {
    const qsizetype end = value.indexOf('\0');
    return QString::fromUtf8(end < 0 ? value : value.first(end));
}

// The interface of each next hop of a multipath route.
void addNextHopInterfaces(QByteArrayView value, std::vector<int>& indices) {
    qsizetype offset = 0;
    while (value.size() - offset >= static_cast<qsizetype>(sizeof(rtnexthop))) {
        const auto hop = readStruct<rtnexthop>(value.sliced(offset));
        const qsizetype length = hop->rtnh_len;
        if (length < static_cast<qsizetype>(sizeof(rtnexthop)) || length > value.size() - offset) {
            break;
        }
        if (hop->rtnh_ifindex > 0) {
            indices.push_back(hop->rtnh_ifindex);
        }
        offset += static_cast<qsizetype>(RTNH_ALIGN(length));
    }
}

} // namespace

std::vector<Message> splitMessages(QByteArrayView datagram) {
    std::vector<Message> messages;
    qsizetype offset = 0;
    while (datagram.size() - offset >= static_cast<qsizetype>(sizeof(nlmsghdr))) {
        const auto header = readStruct<nlmsghdr>(datagram.sliced(offset));
        const qsizetype length = header->nlmsg_len;
        if (length < static_cast<qsizetype>(sizeof(nlmsghdr)) ||
            length > datagram.size() - offset) {
            break;
        }
        const qsizetype payloadOffset = offset + static_cast<qsizetype>(NLMSG_HDRLEN);
        messages.push_back(
            {*header, datagram.sliced(payloadOffset,
                                      std::max<qsizetype>(0, offset + length - payloadOffset))});
        offset += static_cast<qsizetype>(NLMSG_ALIGN(length));
    }
    return messages;
}

std::optional<NetworkLink> decodeLink(const Message& message) {
    if (message.header.nlmsg_type != RTM_NEWLINK) {
        return std::nullopt;
    }
    const auto info = readStruct<ifinfomsg>(message.payload);
    if (!info || info->ifi_index <= 0) {
        return std::nullopt;
    }
    NetworkLink link;
    link.index = info->ifi_index;
    link.isUp = (info->ifi_flags & IFF_UP) != 0;
    link.isRunning = (info->ifi_flags & IFF_RUNNING) != 0;
    link.isLoopback = (info->ifi_flags & IFF_LOOPBACK) != 0;
    for (const Attribute& attribute : splitAttributes(message.payload, sizeof(ifinfomsg))) {
        if (attribute.type == IFLA_IFNAME) {
            link.name = readName(attribute.value);
        }
    }
    return link;
}

std::optional<DefaultRoute> decodeDefaultRoute(const Message& message) {
    if (message.header.nlmsg_type != RTM_NEWROUTE) {
        return std::nullopt;
    }
    const auto header = readStruct<rtmsg>(message.payload);
    if (!header || header->rtm_dst_len != 0 || header->rtm_type != RTN_UNICAST ||
        (header->rtm_family != AF_INET && header->rtm_family != AF_INET6)) {
        return std::nullopt;
    }
    DefaultRoute route;
    route.family =
        header->rtm_family == AF_INET ? DefaultRoute::Family::ipv4 : DefaultRoute::Family::ipv6;
    std::uint32_t table = header->rtm_table;
    for (const Attribute& attribute : splitAttributes(message.payload, sizeof(rtmsg))) {
        switch (attribute.type) {
        case RTA_TABLE:
            table = readUnsigned32(attribute.value).value_or(table);
            break;
        case RTA_PRIORITY:
            route.metric = readUnsigned32(attribute.value).value_or(0);
            break;
        case RTA_OIF:
            if (const auto index = readUnsigned32(attribute.value); index && *index > 0) {
                route.interfaceIndices.push_back(static_cast<int>(*index));
            }
            break;
        case RTA_MULTIPATH:
            addNextHopInterfaces(attribute.value, route.interfaceIndices);
            break;
        default:
            break;
        }
    }
    if (table != RT_TABLE_MAIN || route.interfaceIndices.empty()) {
        return std::nullopt;
    }
    return route;
}

std::optional<int> errorCode(const Message& message) {
    if (message.header.nlmsg_type != NLMSG_ERROR) {
        return std::nullopt;
    }
    const auto error = readStruct<nlmsgerr>(message.payload);
    // The kernel sends 0 or a negated errno; anything else is no valid answer.
    if (!error || error->error > 0 || error->error == std::numeric_limits<int>::min()) {
        return EPROTO;
    }
    return -error->error;
}

bool isRoutingChange(const Message& message) {
    switch (message.header.nlmsg_type) {
    case RTM_NEWLINK:
    case RTM_DELLINK:
    case RTM_NEWADDR:
    case RTM_DELADDR:
    case RTM_NEWROUTE:
    case RTM_DELROUTE:
        return true;
    default:
        return false;
    }
}

} // namespace RtnetlinkDecoder
