#include "Platform/CoreWLAN/Nl80211Decoding.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstring>
#include <linux/nl80211.h>
#include <netlink/attr.h>
#include <netlink/genl/genl.h>
#include <netlink/msg.h>

#include <QStringDecoder>

namespace {

template <std::size_t count> using Attributes = std::array<nlattr*, count>;

using MessageAttributes = Attributes<NL80211_ATTR_MAX + 1>;

bool parseMessage(nl_msg* message, MessageAttributes& attributes) {
    return genlmsg_parse(nlmsg_hdr(message), 0, attributes.data(), NL80211_ATTR_MAX, nullptr) == 0;
}

template <std::size_t count> bool parseNested(nlattr* attribute, Attributes<count>& nested) {
    return attribute != nullptr &&
           nla_parse_nested(nested.data(), static_cast<int>(count - 1), attribute, nullptr) == 0;
}

std::optional<std::uint32_t> u32(const nlattr* attribute) {
    if (attribute == nullptr || nla_len(attribute) < 4) {
        return std::nullopt;
    }
    return nla_get_u32(attribute);
}

std::optional<std::uint16_t> u16(const nlattr* attribute) {
    if (attribute == nullptr || nla_len(attribute) < 2) {
        return std::nullopt;
    }
    return nla_get_u16(attribute);
}

std::optional<std::uint8_t> u8(const nlattr* attribute) {
    if (attribute == nullptr || nla_len(attribute) < 1) {
        return std::nullopt;
    }
    return nla_get_u8(attribute);
}

// nl80211 carries dBm figures as the two's complement of a signed byte in a u8.
std::optional<std::int64_t> signedByte(const nlattr* attribute) {
    const auto value = u8(attribute);
    if (!value) {
        return std::nullopt;
    }
    return static_cast<std::int8_t>(*value);
}

QByteArrayView bytes(const nlattr* attribute) {
    if (attribute == nullptr) {
        return {};
    }
    return QByteArrayView(static_cast<const char*>(nla_data(attribute)), nla_len(attribute));
}

// A NUL-terminated string attribute; a missing terminator ends it at its length.
QString text(const nlattr* attribute) {
    const QByteArrayView view = bytes(attribute);
    const auto length =
        static_cast<qsizetype>(strnlen(view.data(), static_cast<std::size_t>(view.size())));
    return QString::fromUtf8(view.first(length));
}

// In 100 kbit/s: the 32-bit figure when the driver gives it (rates above
// 6.5 Gbit/s overflow the 16-bit one), else the 16-bit one.
std::optional<double> bitrateMbps(nlattr* rateInfo) {
    Attributes<NL80211_RATE_INFO_MAX + 1> rate{};
    if (!parseNested(rateInfo, rate)) {
        return std::nullopt;
    }
    if (const auto wide = u32(rate[NL80211_RATE_INFO_BITRATE32])) {
        return *wide / 10.0;
    }
    if (const auto narrow = u16(rate[NL80211_RATE_INFO_BITRATE])) {
        return *narrow / 10.0;
    }
    return std::nullopt;
}

// mBm (hundredths of a dBm) where the driver measures dBm; otherwise a 0 to
// 100 quality, mapped linearly onto -100 to -50 dBm.
std::optional<std::int64_t> bssSignalDbm(const Attributes<NL80211_BSS_MAX + 1>& bss) {
    if (const auto mbm = u32(bss[NL80211_BSS_SIGNAL_MBM])) {
        return std::lround(static_cast<std::int32_t>(*mbm) / 100.0);
    }
    if (const auto quality = u8(bss[NL80211_BSS_SIGNAL_UNSPEC])) {
        return std::int64_t{std::min<std::uint8_t>(*quality, 100)} / 2 - 100;
    }
    return std::nullopt;
}

} // namespace

namespace Nl80211Decoding {

std::optional<Nl80211InterfaceRecord> decodeInterface(nl_msg* message) {
    MessageAttributes attributes{};
    if (!parseMessage(message, attributes)) {
        return std::nullopt;
    }
    const auto index = u32(attributes[NL80211_ATTR_IFINDEX]);
    if (!index) {
        return std::nullopt;
    }
    return Nl80211InterfaceRecord{
        .interfaceIndex = *index,
        .name = text(attributes[NL80211_ATTR_IFNAME]),
        .type = u32(attributes[NL80211_ATTR_IFTYPE]).value_or(NL80211_IFTYPE_UNSPECIFIED),
        .frequency = u32(attributes[NL80211_ATTR_WIPHY_FREQ]),
        .ssid = ssidText(bytes(attributes[NL80211_ATTR_SSID])),
    };
}

std::optional<Nl80211StationRecord> decodeStation(nl_msg* message) {
    MessageAttributes attributes{};
    Attributes<NL80211_STA_INFO_MAX + 1> info{};
    if (!parseMessage(message, attributes) ||
        !parseNested(attributes[NL80211_ATTR_STA_INFO], info)) {
        return std::nullopt;
    }
    const QString address = macAddressText(bytes(attributes[NL80211_ATTR_MAC]));
    if (address.isEmpty()) {
        return std::nullopt;
    }
    auto signal = signedByte(info[NL80211_STA_INFO_SIGNAL]);
    if (!signal) {
        signal = signedByte(info[NL80211_STA_INFO_SIGNAL_AVG]);
    }
    return Nl80211StationRecord{
        .macAddress = address,
        .signalDbm = signal,
        .transmitBitrateMbps = bitrateMbps(info[NL80211_STA_INFO_TX_BITRATE]),
    };
}

std::optional<Nl80211SurveyRecord> decodeSurvey(nl_msg* message) {
    MessageAttributes attributes{};
    Attributes<NL80211_SURVEY_INFO_MAX + 1> survey{};
    if (!parseMessage(message, attributes) ||
        !parseNested(attributes[NL80211_ATTR_SURVEY_INFO], survey)) {
        return std::nullopt;
    }
    const auto frequency = u32(survey[NL80211_SURVEY_INFO_FREQUENCY]);
    if (!frequency) {
        return std::nullopt;
    }
    return Nl80211SurveyRecord{
        .frequency = *frequency,
        .noiseDbm = signedByte(survey[NL80211_SURVEY_INFO_NOISE]),
        .isInUse = survey[NL80211_SURVEY_INFO_IN_USE] != nullptr,
    };
}

std::optional<Nl80211BssRecord> decodeBss(nl_msg* message) {
    MessageAttributes attributes{};
    Attributes<NL80211_BSS_MAX + 1> bss{};
    if (!parseMessage(message, attributes) || !parseNested(attributes[NL80211_ATTR_BSS], bss)) {
        return std::nullopt;
    }
    const QString bssid = macAddressText(bytes(bss[NL80211_BSS_BSSID]));
    const auto frequency = u32(bss[NL80211_BSS_FREQUENCY]);
    if (bssid.isEmpty() || !frequency) {
        return std::nullopt;
    }
    // The elements of the latest frame heard; a hidden network may still
    // name itself in a probe response, so those of its beacon come second.
    auto ssid = ssidFromInformationElements(bytes(bss[NL80211_BSS_INFORMATION_ELEMENTS]));
    if (!ssid) {
        ssid = ssidFromInformationElements(bytes(bss[NL80211_BSS_BEACON_IES]));
    }
    return Nl80211BssRecord{
        .bssid = bssid,
        .frequency = *frequency,
        .signalDbm = bssSignalDbm(bss),
        .ssid = ssid,
    };
}

std::optional<QString> ssidFromInformationElements(QByteArrayView elements) {
    constexpr unsigned char ssidElement = 0;
    qsizetype position = 0;
    while (position + 2 <= elements.size()) {
        const auto identifier = static_cast<unsigned char>(elements[position]);
        const auto length = static_cast<unsigned char>(elements[position + 1]);
        if (position + 2 + length > elements.size()) {
            return std::nullopt; // truncated
        }
        if (identifier == ssidElement) {
            return ssidText(elements.sliced(position + 2, length));
        }
        position += 2 + length;
    }
    return std::nullopt;
}

std::optional<QString> ssidText(QByteArrayView ssid) {
    const bool isBlank =
        std::all_of(ssid.begin(), ssid.end(), [](char byte) { return byte == '\0'; });
    if (isBlank) {
        return std::nullopt;
    }
    // An SSID is bytes, not a file: a leading EF BB BF is the character
    // U+FEFF of the name, not a byte-order mark to drop.
    QStringDecoder decoder(QStringConverter::Utf8, QStringConverter::Flag::Stateless |
                                                       QStringConverter::Flag::ConvertInitialBom);
    return decoder.decode(ssid);
}

QString macAddressText(QByteArrayView address) {
    if (address.size() != 6) {
        return {};
    }
    return QString::fromLatin1(address.toByteArray().toHex(':'));
}

} // namespace Nl80211Decoding
