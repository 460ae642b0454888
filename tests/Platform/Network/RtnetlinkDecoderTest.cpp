#include "Platform/Network/RtnetlinkDecoder.h"

#include <cstring>
#include <gtest/gtest.h>
#include <linux/if.h>
#include <linux/rtnetlink.h>
#include <sys/socket.h>

namespace {

// Builds netlink messages byte by byte, the way the kernel lays them out.
class MessageBuilder {
public:
    MessageBuilder(std::uint16_t type, const void* header, std::size_t headerSize) {
        nlmsghdr netlinkHeader{};
        netlinkHeader.nlmsg_type = type;
        netlinkHeader.nlmsg_seq = 7;
        append(&netlinkHeader, sizeof netlinkHeader);
        append(header, headerSize);
        pad();
    }

    MessageBuilder& attribute(unsigned short type, const void* value, std::size_t size) {
        rtattr header{static_cast<unsigned short>(RTA_LENGTH(size)), type};
        append(&header, sizeof header);
        append(value, size);
        pad();
        return *this;
    }
    MessageBuilder& u32(unsigned short type, std::uint32_t value) {
        return attribute(type, &value, sizeof value);
    }
    MessageBuilder& text(unsigned short type, const char* value) {
        return attribute(type, value, std::strlen(value) + 1);
    }

    QByteArray bytes() const {
        QByteArray result = bytes_;
        const auto length = static_cast<std::uint32_t>(result.size());
        std::memcpy(result.data(), &length, sizeof length);
        return result;
    }

    // Runs `read` on the one message built.
    template <class Read> auto read(Read read) const {
        const QByteArray all = bytes();
        const auto messages = RtnetlinkDecoder::splitMessages(all);
        EXPECT_EQ(messages.size(), 1u);
        return read(messages.at(0));
    }

private:
    void append(const void* data, std::size_t size) {
        bytes_.append(static_cast<const char*>(data), static_cast<qsizetype>(size));
    }
    void pad() {
        while (bytes_.size() % 4 != 0) {
            bytes_.append('\0');
        }
    }

    QByteArray bytes_;
};

MessageBuilder link(int index, unsigned int flags) {
    ifinfomsg header{};
    header.ifi_index = index;
    header.ifi_flags = flags;
    return MessageBuilder(RTM_NEWLINK, &header, sizeof header);
}

MessageBuilder route(unsigned char family, unsigned char destinationLength,
                     unsigned char table = RT_TABLE_MAIN, unsigned char type = RTN_UNICAST) {
    rtmsg header{};
    header.rtm_family = family;
    header.rtm_dst_len = destinationLength;
    header.rtm_table = table;
    header.rtm_type = type;
    return MessageBuilder(RTM_NEWROUTE, &header, sizeof header);
}

QByteArray nextHops(std::initializer_list<int> interfaceIndices) {
    QByteArray hops;
    for (const int index : interfaceIndices) {
        rtnexthop hop{};
        hop.rtnh_len = sizeof hop;
        hop.rtnh_ifindex = index;
        hops.append(reinterpret_cast<const char*>(&hop), sizeof hop);
    }
    return hops;
}

std::optional<NetworkLink> decodeLink(const MessageBuilder& builder) {
    return builder.read(RtnetlinkDecoder::decodeLink);
}

std::optional<DefaultRoute> decodeRoute(const MessageBuilder& builder) {
    return builder.read(RtnetlinkDecoder::decodeDefaultRoute);
}

std::optional<int> errorCode(const MessageBuilder& builder) {
    return builder.read(RtnetlinkDecoder::errorCode);
}

bool isRoutingChange(std::uint16_t type) {
    return MessageBuilder(type, "", 0).read(RtnetlinkDecoder::isRoutingChange);
}

} // namespace

TEST(RtnetlinkDecoderTest, ReadsALinksIndexNameAndState) {
    EXPECT_EQ(
        decodeLink(link(3, IFF_UP | IFF_RUNNING).text(IFLA_MTU, "x").text(IFLA_IFNAME, "wlan0")),
        (NetworkLink{3, QStringLiteral("wlan0"), true, true, false}));
    EXPECT_EQ(decodeLink(link(1, IFF_UP | IFF_LOOPBACK)),
              (NetworkLink{1, QString(), true, false, true}));
    EXPECT_EQ(decodeLink(link(0, IFF_UP)), std::nullopt);
    EXPECT_EQ(decodeLink(route(AF_INET, 0).u32(RTA_OIF, 2)), std::nullopt);
}

TEST(RtnetlinkDecoderTest, ReadsUnicastDefaultRoutesOfTheMainTable) {
    EXPECT_EQ(decodeRoute(route(AF_INET, 0).u32(RTA_PRIORITY, 600).u32(RTA_OIF, 3)),
              (DefaultRoute{DefaultRoute::Family::ipv4, 600, {3}}));
    EXPECT_EQ(decodeRoute(route(AF_INET6, 0).u32(RTA_OIF, 2)),
              (DefaultRoute{DefaultRoute::Family::ipv6, 0, {2}}));
    // Tables above 255 are named only by the attribute.
    EXPECT_EQ(decodeRoute(
                  route(AF_INET, 0, RT_TABLE_UNSPEC).u32(RTA_TABLE, RT_TABLE_MAIN).u32(RTA_OIF, 2)),
              (DefaultRoute{DefaultRoute::Family::ipv4, 0, {2}}));
    const QByteArray hops = nextHops({2, 3});
    EXPECT_EQ(decodeRoute(route(AF_INET, 0).attribute(RTA_MULTIPATH, hops.data(), hops.size())),
              (DefaultRoute{DefaultRoute::Family::ipv4, 0, {2, 3}}));
}

TEST(RtnetlinkDecoderTest, IgnoresEveryOtherRoute) {
    const auto decode = decodeRoute;
    EXPECT_EQ(decode(route(AF_INET, 24).u32(RTA_OIF, 2)), std::nullopt) << "not a default route";
    EXPECT_EQ(decode(route(AF_INET, 0, RT_TABLE_LOCAL).u32(RTA_OIF, 2)), std::nullopt);
    EXPECT_EQ(decode(route(AF_INET, 0, RT_TABLE_MAIN).u32(RTA_TABLE, 100).u32(RTA_OIF, 2)),
              std::nullopt)
        << "a policy table";
    EXPECT_EQ(decode(route(AF_INET, 0, RT_TABLE_MAIN, RTN_UNREACHABLE).u32(RTA_OIF, 1)),
              std::nullopt);
    EXPECT_EQ(decode(route(AF_INET6, 0, RT_TABLE_MAIN, RTN_BLACKHOLE)), std::nullopt);
    EXPECT_EQ(decode(route(AF_INET, 0)), std::nullopt) << "no outgoing interface";
    EXPECT_EQ(decode(route(AF_MPLS, 0).u32(RTA_OIF, 2)), std::nullopt);
}

TEST(RtnetlinkDecoderTest, MalformedLengthsEndTheMessageOrItsAttributes) {
    QByteArray bytes = route(AF_INET, 0).u32(RTA_OIF, 2).u32(RTA_PRIORITY, 5).bytes();
    // The last attribute claims more bytes than the message holds.
    const auto priorityOffset = bytes.size() - 8;
    bytes[priorityOffset] = char(200);
    const auto messages = RtnetlinkDecoder::splitMessages(bytes);
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(RtnetlinkDecoder::decodeDefaultRoute(messages[0]),
              (DefaultRoute{DefaultRoute::Family::ipv4, 0, {2}}));

    // Two messages, the second cut short: only the first is read.
    const QByteArray first = link(2, IFF_UP).text(IFLA_IFNAME, "eth0").bytes();
    const QByteArray second = link(3, IFF_UP).text(IFLA_IFNAME, "wlan0").bytes();
    const QByteArray datagram = first + second.first(second.size() - 4);
    const auto split = RtnetlinkDecoder::splitMessages(datagram);
    ASSERT_EQ(split.size(), 1u);
    EXPECT_EQ(RtnetlinkDecoder::decodeLink(split[0])->name, QStringLiteral("eth0"));
    EXPECT_TRUE(RtnetlinkDecoder::splitMessages(QByteArray(8, '\0')).empty());

    // A link message too short for its header.
    MessageBuilder shortLink(RTM_NEWLINK, "ab", 2);
    EXPECT_EQ(decodeLink(shortLink), std::nullopt);
}

TEST(RtnetlinkDecoderTest, ReadsErrorsAndTellsRoutingNotifications) {
    nlmsgerr refused{};
    refused.error = -EPERM;
    EXPECT_EQ(errorCode(MessageBuilder(NLMSG_ERROR, &refused, sizeof refused)), EPERM);
    nlmsgerr acknowledged{};
    EXPECT_EQ(errorCode(MessageBuilder(NLMSG_ERROR, &acknowledged, sizeof acknowledged)), 0);
    nlmsgerr nonsense{};
    nonsense.error = 5;
    EXPECT_EQ(errorCode(MessageBuilder(NLMSG_ERROR, &nonsense, sizeof nonsense)), EPROTO);
    EXPECT_EQ(errorCode(link(2, 0)), std::nullopt);

    for (const std::uint16_t type :
         {RTM_NEWLINK, RTM_DELLINK, RTM_NEWADDR, RTM_DELADDR, RTM_NEWROUTE, RTM_DELROUTE}) {
        EXPECT_TRUE(isRoutingChange(type)) << type;
    }
    EXPECT_FALSE(isRoutingChange(RTM_NEWNEIGH));
    EXPECT_FALSE(isRoutingChange(NLMSG_DONE));
}
