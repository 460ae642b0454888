#include "Platform/CoreWLAN/Nl80211Decoding.h"

#include "Support/QStringPrinter.h"

#include <cstdint>
#include <gtest/gtest.h>
#include <linux/nl80211.h>
#include <memory>
#include <netlink/attr.h>
#include <netlink/genl/genl.h>
#include <netlink/msg.h>
#include <utility>
#include <vector>

#include <QByteArray>

namespace {

// Builds the generic-netlink message the kernel would send, attribute by attribute.
class MessageBuilder {
public:
    explicit MessageBuilder(std::uint8_t command) : message_(nlmsg_alloc(), &nlmsg_free) {
        constexpr int nl80211Family = 28;
        genlmsg_put(message_.get(), NL_AUTO_PORT, NL_AUTO_SEQ, nl80211Family, 0, 0, command, 0);
    }

    MessageBuilder& u32(int type, std::uint32_t value) {
        nla_put_u32(message_.get(), type, value);
        return *this;
    }
    MessageBuilder& u16(int type, std::uint16_t value) {
        nla_put_u16(message_.get(), type, value);
        return *this;
    }
    MessageBuilder& u8(int type, std::uint8_t value) {
        nla_put_u8(message_.get(), type, value);
        return *this;
    }
    MessageBuilder& s8(int type, std::int8_t value) {
        return u8(type, static_cast<std::uint8_t>(value));
    }
    MessageBuilder& flag(int type) {
        nla_put_flag(message_.get(), type);
        return *this;
    }
    MessageBuilder& bytes(int type, const QByteArray& value) {
        nla_put(message_.get(), type, static_cast<int>(value.size()), value.constData());
        return *this;
    }
    MessageBuilder& string(int type, const char* value) {
        nla_put_string(message_.get(), type, value);
        return *this;
    }
    MessageBuilder& begin(int type) {
        nests_.push_back(nla_nest_start(message_.get(), type));
        return *this;
    }
    MessageBuilder& end() {
        nla_nest_end(message_.get(), nests_.back());
        nests_.pop_back();
        return *this;
    }

    nl_msg* get() { return message_.get(); }

private:
    std::unique_ptr<nl_msg, decltype(&nlmsg_free)> message_;
    std::vector<nlattr*> nests_;
};

const QByteArray accessPointAddress = QByteArray::fromHex("a42bb05e1024");

// Information elements: element ID, length, body.
QByteArray element(std::uint8_t identifier, const QByteArray& body) {
    return QByteArray(1, static_cast<char>(identifier)) +
           QByteArray(1, static_cast<char>(body.size())) + body;
}

const QByteArray supportedRates = element(1, QByteArray::fromHex("82848b960c121824"));
const QByteArray dsParameter = element(3, QByteArray::fromHex("06"));

MessageBuilder scanResult(const QByteArray& informationElements) {
    MessageBuilder message(NL80211_CMD_NEW_SCAN_RESULTS);
    message.u32(NL80211_ATTR_IFINDEX, 3)
        .begin(NL80211_ATTR_BSS)
        .bytes(NL80211_BSS_BSSID, accessPointAddress)
        .u32(NL80211_BSS_FREQUENCY, 2437)
        .u32(NL80211_BSS_SIGNAL_MBM, static_cast<std::uint32_t>(-6550))
        .bytes(NL80211_BSS_INFORMATION_ELEMENTS, informationElements)
        .end();
    return message;
}

} // namespace

TEST(Nl80211DecodingTest, StationGivesAddressSignalAndWideBitrate) {
    MessageBuilder message(NL80211_CMD_NEW_STATION);
    message.u32(NL80211_ATTR_IFINDEX, 3)
        .bytes(NL80211_ATTR_MAC, accessPointAddress)
        .begin(NL80211_ATTR_STA_INFO)
        .s8(NL80211_STA_INFO_SIGNAL, -58)
        .s8(NL80211_STA_INFO_SIGNAL_AVG, -61)
        .begin(NL80211_STA_INFO_TX_BITRATE)
        .u32(NL80211_RATE_INFO_BITRATE32, 8667)
        .u16(NL80211_RATE_INFO_BITRATE, 1)
        .end()
        .end();

    const auto station = Nl80211Decoding::decodeStation(message.get());

    ASSERT_TRUE(station);
    EXPECT_EQ(station->macAddress, QStringLiteral("a4:2b:b0:5e:10:24"));
    EXPECT_EQ(station->signalDbm, -58);
    ASSERT_TRUE(station->transmitBitrateMbps);
    EXPECT_DOUBLE_EQ(*station->transmitBitrateMbps, 866.7);
}

TEST(Nl80211DecodingTest, StationFallsBackToAverageSignalAndNarrowBitrate) {
    MessageBuilder message(NL80211_CMD_NEW_STATION);
    message.bytes(NL80211_ATTR_MAC, accessPointAddress)
        .begin(NL80211_ATTR_STA_INFO)
        .s8(NL80211_STA_INFO_SIGNAL_AVG, -61)
        .begin(NL80211_STA_INFO_TX_BITRATE)
        .u16(NL80211_RATE_INFO_BITRATE, 1444)
        .end()
        .end();

    const auto station = Nl80211Decoding::decodeStation(message.get());

    ASSERT_TRUE(station);
    EXPECT_EQ(station->signalDbm, -61);
    ASSERT_TRUE(station->transmitBitrateMbps);
    EXPECT_DOUBLE_EQ(*station->transmitBitrateMbps, 144.4);
}

TEST(Nl80211DecodingTest, StationWithoutFiguresKeepsThemAbsent) {
    MessageBuilder message(NL80211_CMD_NEW_STATION);
    message.bytes(NL80211_ATTR_MAC, accessPointAddress)
        .begin(NL80211_ATTR_STA_INFO)
        .u32(NL80211_STA_INFO_INACTIVE_TIME, 20)
        .end();

    const auto station = Nl80211Decoding::decodeStation(message.get());

    ASSERT_TRUE(station);
    EXPECT_EQ(station->signalDbm, std::nullopt);
    EXPECT_EQ(station->transmitBitrateMbps, std::nullopt);
}

TEST(Nl80211DecodingTest, StationNeedsAddressAndInformation) {
    MessageBuilder withoutInformation(NL80211_CMD_NEW_STATION);
    withoutInformation.bytes(NL80211_ATTR_MAC, accessPointAddress);
    MessageBuilder withShortAddress(NL80211_CMD_NEW_STATION);
    withShortAddress.bytes(NL80211_ATTR_MAC, accessPointAddress.first(5))
        .begin(NL80211_ATTR_STA_INFO)
        .s8(NL80211_STA_INFO_SIGNAL, -58)
        .end();

    EXPECT_EQ(Nl80211Decoding::decodeStation(withoutInformation.get()), std::nullopt);
    EXPECT_EQ(Nl80211Decoding::decodeStation(withShortAddress.get()), std::nullopt);
}

TEST(Nl80211DecodingTest, SurveyWithNoiseOfTheChannelInUse) {
    MessageBuilder message(NL80211_CMD_NEW_SURVEY_RESULTS);
    message.u32(NL80211_ATTR_IFINDEX, 3)
        .begin(NL80211_ATTR_SURVEY_INFO)
        .u32(NL80211_SURVEY_INFO_FREQUENCY, 5180)
        .s8(NL80211_SURVEY_INFO_NOISE, -92)
        .flag(NL80211_SURVEY_INFO_IN_USE)
        .end();

    EXPECT_EQ(Nl80211Decoding::decodeSurvey(message.get()),
              (Nl80211SurveyRecord{.frequency = 5180, .noiseDbm = -92, .isInUse = true}));
}

TEST(Nl80211DecodingTest, SurveyWithoutNoise) {
    MessageBuilder message(NL80211_CMD_NEW_SURVEY_RESULTS);
    message.begin(NL80211_ATTR_SURVEY_INFO).u32(NL80211_SURVEY_INFO_FREQUENCY, 2412).end();

    EXPECT_EQ(Nl80211Decoding::decodeSurvey(message.get()),
              (Nl80211SurveyRecord{.frequency = 2412, .noiseDbm = std::nullopt, .isInUse = false}));
}

TEST(Nl80211DecodingTest, SurveyNeedsAFrequency) {
    MessageBuilder message(NL80211_CMD_NEW_SURVEY_RESULTS);
    message.begin(NL80211_ATTR_SURVEY_INFO).s8(NL80211_SURVEY_INFO_NOISE, -92).end();

    EXPECT_EQ(Nl80211Decoding::decodeSurvey(message.get()), std::nullopt);
}

TEST(Nl80211DecodingTest, InterfaceOfAnAssociatedClient) {
    MessageBuilder message(NL80211_CMD_NEW_INTERFACE);
    message.u32(NL80211_ATTR_IFINDEX, 3)
        .string(NL80211_ATTR_IFNAME, "wlp2s0")
        .u32(NL80211_ATTR_IFTYPE, NL80211_IFTYPE_STATION)
        .u32(NL80211_ATTR_WIPHY_FREQ, 5180)
        .bytes(NL80211_ATTR_SSID, QByteArray("Caf\xc3\xa9 Amsel"));

    EXPECT_EQ(Nl80211Decoding::decodeInterface(message.get()),
              (Nl80211InterfaceRecord{.interfaceIndex = 3,
                                      .name = QStringLiteral("wlp2s0"),
                                      .type = NL80211_IFTYPE_STATION,
                                      .frequency = 5180,
                                      .ssid = QStringLiteral("Café Amsel")}));
}

TEST(Nl80211DecodingTest, InterfaceNotAssociatedAndInterfaceWithoutIndex) {
    MessageBuilder idle(NL80211_CMD_NEW_INTERFACE);
    idle.u32(NL80211_ATTR_IFINDEX, 4)
        .string(NL80211_ATTR_IFNAME, "wlan1")
        .u32(NL80211_ATTR_IFTYPE, NL80211_IFTYPE_STATION);
    MessageBuilder withoutIndex(NL80211_CMD_NEW_INTERFACE);
    withoutIndex.string(NL80211_ATTR_IFNAME, "wlan1");

    const auto record = Nl80211Decoding::decodeInterface(idle.get());
    ASSERT_TRUE(record);
    EXPECT_EQ(record->name, QStringLiteral("wlan1"));
    EXPECT_EQ(record->frequency, std::nullopt);
    EXPECT_EQ(record->ssid, std::nullopt);
    EXPECT_EQ(Nl80211Decoding::decodeInterface(withoutIndex.get()), std::nullopt);
}

TEST(Nl80211DecodingTest, ScanResultTakesTheSsidElementWhereverItStands) {
    auto message =
        scanResult(supportedRates + dsParameter + element(0, "Linden House") + supportedRates);

    EXPECT_EQ(Nl80211Decoding::decodeBss(message.get()),
              (Nl80211BssRecord{.bssid = QStringLiteral("a4:2b:b0:5e:10:24"),
                                .frequency = 2437,
                                .signalDbm = -66,
                                .ssid = QStringLiteral("Linden House")}));
}

TEST(Nl80211DecodingTest, HiddenNetworksHaveNoSsid) {
    const QByteArray emptySsid = element(0, QByteArray());
    const QByteArray zeroedSsid = element(0, QByteArray(9, '\0'));

    for (const QByteArray& ssid : {emptySsid, zeroedSsid}) {
        auto message = scanResult(ssid + supportedRates);
        const auto record = Nl80211Decoding::decodeBss(message.get());
        ASSERT_TRUE(record);
        EXPECT_EQ(record->ssid, std::nullopt) << ssid.toHex().toStdString();
        EXPECT_EQ(record->bssid, QStringLiteral("a4:2b:b0:5e:10:24"));
        EXPECT_EQ(record->signalDbm, -66);
    }
}

// Every byte of the name counts: a leading EF BB BF is the name's U+FEFF, and
// bytes that are not UTF-8 show as U+FFFD.
TEST(Nl80211DecodingTest, SsidBytesAreReadAsUtf8KeepingEveryCharacter) {
    const std::vector<std::pair<QByteArray, QString>> cases{
        {"Caf\xC3\xA9", QStringLiteral("Caf\u00E9")},
        {"\xEF\xBB\xBFLinden", QStringLiteral("\uFEFFLinden")},
        {"\xEF\xBB\xBF\xEF\xBB\xBF", QStringLiteral("\uFEFF\uFEFF")},
        {"Caf\xC3", QStringLiteral("Caf\uFFFD")},
        {"\xFFLab", QStringLiteral("\uFFFDLab")},
    };
    for (const auto& [bytes, name] : cases) {
        EXPECT_EQ(Nl80211Decoding::ssidText(bytes), name) << bytes.toHex().toStdString();
    }
}

TEST(Nl80211DecodingTest, BeaconElementsNameANetworkTheLatestFrameDoesNot) {
    MessageBuilder message(NL80211_CMD_NEW_SCAN_RESULTS);
    message.begin(NL80211_ATTR_BSS)
        .bytes(NL80211_BSS_BSSID, accessPointAddress)
        .u32(NL80211_BSS_FREQUENCY, 5180)
        .bytes(NL80211_BSS_INFORMATION_ELEMENTS, supportedRates)
        .bytes(NL80211_BSS_BEACON_IES, element(0, "Workshop 5G"))
        .end();

    const auto record = Nl80211Decoding::decodeBss(message.get());

    ASSERT_TRUE(record);
    EXPECT_EQ(record->ssid, QStringLiteral("Workshop 5G"));
}

TEST(Nl80211DecodingTest, ScanResultSignalInQualityOrMissing) {
    MessageBuilder quality(NL80211_CMD_NEW_SCAN_RESULTS);
    quality.begin(NL80211_ATTR_BSS)
        .bytes(NL80211_BSS_BSSID, accessPointAddress)
        .u32(NL80211_BSS_FREQUENCY, 2412)
        .u8(NL80211_BSS_SIGNAL_UNSPEC, 60)
        .end();
    // A figure too short for its type counts as missing.
    MessageBuilder malformed(NL80211_CMD_NEW_SCAN_RESULTS);
    malformed.begin(NL80211_ATTR_BSS)
        .bytes(NL80211_BSS_BSSID, accessPointAddress)
        .u32(NL80211_BSS_FREQUENCY, 2412)
        .u8(NL80211_BSS_SIGNAL_MBM, 0xC0)
        .end();

    EXPECT_EQ(Nl80211Decoding::decodeBss(quality.get())->signalDbm, -70);
    EXPECT_EQ(Nl80211Decoding::decodeBss(malformed.get())->signalDbm, std::nullopt);
}

TEST(Nl80211DecodingTest, ScanResultNeedsAddressAndFrequency) {
    MessageBuilder withoutFrequency(NL80211_CMD_NEW_SCAN_RESULTS);
    withoutFrequency.begin(NL80211_ATTR_BSS).bytes(NL80211_BSS_BSSID, accessPointAddress).end();
    MessageBuilder withoutAddress(NL80211_CMD_NEW_SCAN_RESULTS);
    withoutAddress.begin(NL80211_ATTR_BSS).u32(NL80211_BSS_FREQUENCY, 2412).end();
    MessageBuilder withoutBss(NL80211_CMD_NEW_SCAN_RESULTS);
    withoutBss.u32(NL80211_ATTR_IFINDEX, 3);

    EXPECT_EQ(Nl80211Decoding::decodeBss(withoutFrequency.get()), std::nullopt);
    EXPECT_EQ(Nl80211Decoding::decodeBss(withoutAddress.get()), std::nullopt);
    EXPECT_EQ(Nl80211Decoding::decodeBss(withoutBss.get()), std::nullopt);
}

TEST(Nl80211DecodingTest, InformationElementsCutShortNameNothing) {
    const QByteArray cutInsideSsid = element(0, "Nordlicht").first(6);
    const QByteArray cutInsideHeader = supportedRates + QByteArray(1, '\0');

    EXPECT_EQ(Nl80211Decoding::ssidFromInformationElements(cutInsideSsid), std::nullopt);
    EXPECT_EQ(Nl80211Decoding::ssidFromInformationElements(cutInsideHeader), std::nullopt);
    EXPECT_EQ(Nl80211Decoding::ssidFromInformationElements(QByteArray()), std::nullopt);
}
