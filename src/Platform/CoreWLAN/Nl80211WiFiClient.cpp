#include "Platform/CoreWLAN/Nl80211WiFiClient.h"

#include "Platform/CoreWLAN/Nl80211Decoding.h"
#include "Platform/CoreWLAN/WLANError.h"

#include <algorithm>
#include <cerrno>
#include <linux/nl80211.h>
#include <netlink/attr.h>
#include <netlink/genl/genl.h>
#include <netlink/msg.h>
#include <type_traits>

#include <QtGlobal>

namespace {

// What a scan result with no signal figure reads: the weakest a receiver hears.
constexpr std::int64_t unmeasuredSignalDbm = -100;

Nl80211Socket::AttributeWriter interfaceIndexWriter(std::optional<std::uint32_t> index) {
    return [index](nl_msg* message) {
        return !index || nla_put_u32(message, NL80211_ATTR_IFINDEX, *index) == 0;
    };
}

template <class Decode> using RecordOf = typename std::invoke_result_t<Decode, nl_msg*>::value_type;

// Every record `decode` finds in the replies to a dump, or none when the
// exchange failed. A command the driver refuses gives no records.
template <class Decode>
std::optional<std::vector<RecordOf<Decode>>> dump(Nl80211Socket& socket, std::uint8_t command,
                                                  std::optional<std::uint32_t> index,
                                                  Decode decode) {
    std::vector<RecordOf<Decode>> records;
    const int status =
        socket.request(command, true, interfaceIndexWriter(index), [&](nl_msg* message) {
            if (auto record = decode(message)) {
                records.push_back(std::move(*record));
            }
        });
    if (status == -EIO) {
        return std::nullopt;
    }
    return records;
}

// A reading, or none when there is no client interface; `isExchangeBroken`
// tells that the socket must not be used again.
std::optional<WLANInterface> readCurrentInterface(Nl80211Socket& socket, bool& isExchangeBroken) {
    isExchangeBroken = true;
    const auto interfaces =
        dump(socket, NL80211_CMD_GET_INTERFACE, std::nullopt, Nl80211Decoding::decodeInterface);
    if (!interfaces) {
        return std::nullopt;
    }
    const auto interface = Nl80211WiFiClient::stationInterface(*interfaces);
    if (!interface) {
        isExchangeBroken = false;
        return std::nullopt;
    }
    const auto stations = dump(socket, NL80211_CMD_GET_STATION, interface->interfaceIndex,
                               Nl80211Decoding::decodeStation);
    if (!stations) {
        return std::nullopt;
    }
    std::optional<Nl80211StationRecord> accessPoint;
    std::vector<Nl80211SurveyRecord> surveys;
    if (!stations->empty()) {
        accessPoint = stations->front();
        auto dumped = dump(socket, NL80211_CMD_GET_SURVEY, interface->interfaceIndex,
                           Nl80211Decoding::decodeSurvey);
        if (!dumped) {
            return std::nullopt;
        }
        surveys = std::move(*dumped);
    }
    isExchangeBroken = false;
    return Nl80211WiFiClient::interfaceReading(*interface, accessPoint, surveys);
}

const Nl80211SurveyRecord* surveyInUse(std::span<const Nl80211SurveyRecord> surveys,
                                       std::optional<std::uint32_t> frequency) {
    const auto inUse = std::find_if(surveys.begin(), surveys.end(),
                                    [](const auto& survey) { return survey.isInUse; });
    if (inUse != surveys.end()) {
        return &*inUse;
    }
    const auto onChannel = std::find_if(surveys.begin(), surveys.end(), [&](const auto& survey) {
        return frequency && survey.frequency == *frequency;
    });
    return onChannel != surveys.end() ? &*onChannel : nullptr;
}

std::uint8_t commandOf(nl_msg* message) {
    return genlmsg_hdr(nlmsg_hdr(message))->cmd;
}

// Asks for an active scan of every channel, probing for any SSID.
Nl80211Socket::AttributeWriter scanRequestWriter(std::uint32_t index) {
    return [index](nl_msg* message) {
        if (nla_put_u32(message, NL80211_ATTR_IFINDEX, index) < 0) {
            return false;
        }
        nlattr* ssids = nla_nest_start(message, NL80211_ATTR_SCAN_SSIDS);
        if (ssids == nullptr || nla_put(message, 1, 0, "") < 0) {
            return false;
        }
        nla_nest_end(message, ssids);
        return true;
    };
}

void waitForScanEnd(Nl80211Socket& events, std::uint32_t index) {
    std::uint8_t outcome = 0;
    const int status = events.waitForEvent(
        [&](nl_msg* message) {
            const std::uint8_t command = commandOf(message);
            const auto source = Nl80211Decoding::decodeInterface(message);
            if ((command != NL80211_CMD_NEW_SCAN_RESULTS && command != NL80211_CMD_SCAN_ABORTED) ||
                !source || source->interfaceIndex != index) {
                return false;
            }
            outcome = command;
            return true;
        },
        std::chrono::steady_clock::now() + Nl80211WiFiClient::scanTimeout);
    if (status == -ETIMEDOUT) {
        throw WLANError(QStringLiteral("The Wi-Fi scan did not finish within %1 seconds.")
                            .arg(Nl80211WiFiClient::scanTimeout.count()));
    }
    if (status != 0) {
        throw WLANError(QStringLiteral("The end of the Wi-Fi scan could not be awaited: %1.")
                            .arg(qt_error_string(-status)));
    }
    if (outcome == NL80211_CMD_SCAN_ABORTED) {
        throw WLANError(QStringLiteral("The Wi-Fi scan was aborted."));
    }
}

// Starts a fresh scan and waits for it to end. Where the kernel does not let
// this process scan (scanning needs CAP_NET_ADMIN), the cached results of the
// last scan of the system are read instead; where another scan is running,
// its results are awaited.
void scanAfresh(Nl80211Socket& commands, Nl80211Socket& events, std::uint32_t index) {
    if (events.subscribe("scan") != 0) {
        return;
    }
    const int triggered =
        commands.request(NL80211_CMD_TRIGGER_SCAN, false, scanRequestWriter(index), [](nl_msg*) {});
    if (triggered == -EPERM || triggered == -EACCES || triggered == -EOPNOTSUPP) {
        return;
    }
    if (triggered != 0 && triggered != -EBUSY) {
        throw WLANError(
            QStringLiteral("The Wi-Fi scan could not start: %1.").arg(qt_error_string(-triggered)));
    }
    waitForScanEnd(events, index);
}

} // namespace

std::optional<WLANInterface> Nl80211WiFiClient::currentInterface() {
    const std::lock_guard lock(mutex_);
    if (!socket_) {
        socket_ = Nl80211Socket::open();
        if (!socket_) {
            return std::nullopt;
        }
    }
    bool isExchangeBroken = false;
    auto reading = readCurrentInterface(*socket_, isExchangeBroken);
    if (isExchangeBroken) {
        // Late replies of a broken exchange would be taken for the next one's.
        socket_.reset();
    }
    return reading;
}

std::vector<WLANNetwork> Nl80211WiFiClient::scanForNetworks() {
    const auto commands = Nl80211Socket::open();
    const auto events = Nl80211Socket::open();
    if (!commands || !events) {
        throw WLANError(
            QStringLiteral("The kernel's wireless interface (nl80211) is not available."));
    }
    const auto interfaces =
        dump(*commands, NL80211_CMD_GET_INTERFACE, std::nullopt, Nl80211Decoding::decodeInterface);
    const auto interface = interfaces ? stationInterface(*interfaces) : std::nullopt;
    if (!interface) {
        throw WLANError(QStringLiteral("No Wi-Fi interface is available."));
    }
    scanAfresh(*commands, *events, interface->interfaceIndex);
    const auto found = dump(*commands, NL80211_CMD_GET_SCAN, interface->interfaceIndex,
                            Nl80211Decoding::decodeBss);
    if (!found) {
        throw WLANError(QStringLiteral("The Wi-Fi scan results could not be read."));
    }
    std::vector<WLANNetwork> networks;
    networks.reserve(found->size());
    std::transform(found->begin(), found->end(), std::back_inserter(networks), network);
    return networks;
}

std::optional<Nl80211InterfaceRecord>
Nl80211WiFiClient::stationInterface(std::span<const Nl80211InterfaceRecord> interfaces) {
    std::optional<Nl80211InterfaceRecord> unassociated;
    for (const auto& interface : interfaces) {
        if (interface.type != NL80211_IFTYPE_STATION) {
            continue;
        }
        if (interface.ssid) {
            return interface;
        }
        if (!unassociated) {
            unassociated = interface;
        }
    }
    return unassociated;
}

WLANInterface
Nl80211WiFiClient::interfaceReading(const Nl80211InterfaceRecord& interface,
                                    const std::optional<Nl80211StationRecord>& accessPoint,
                                    std::span<const Nl80211SurveyRecord> surveys) {
    WLANInterface reading;
    if (!interface.name.isEmpty()) {
        reading.interfaceName = interface.name;
    }
    if (!accessPoint) {
        return reading;
    }
    const Nl80211SurveyRecord* survey = surveyInUse(surveys, interface.frequency);
    // Some drivers report the channel only in their survey.
    const auto frequency = interface.frequency ? interface.frequency
                           : survey != nullptr ? std::optional(survey->frequency)
                                               : std::nullopt;
    // No receiver's noise floor reaches 0 dBm: such a figure is no measurement.
    const bool isNoiseMeasured = survey != nullptr && survey->noiseDbm && *survey->noiseDbm < 0;
    reading.ssid = interface.ssid;
    reading.bssid = accessPoint->macAddress;
    reading.rssiValue = accessPoint->signalDbm.value_or(0);
    reading.noiseMeasurement = isNoiseMeasured ? *survey->noiseDbm : assumedNoiseFloorDbm;
    reading.transmitRate = accessPoint->transmitBitrateMbps.value_or(0);
    if (frequency) {
        reading.wlanChannel = WLANChannel::fromFrequency(*frequency);
    }
    return reading;
}

WLANNetwork Nl80211WiFiClient::network(const Nl80211BssRecord& bss) {
    return WLANNetwork{
        .ssid = bss.ssid,
        .bssid = bss.bssid,
        .rssiValue = bss.signalDbm.value_or(unmeasuredSignalDbm),
        .wlanChannel = WLANChannel::fromFrequency(bss.frequency),
    };
}
