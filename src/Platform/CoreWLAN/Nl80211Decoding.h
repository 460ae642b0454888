#pragma once

#include "Platform/CoreWLAN/Nl80211BssRecord.h"
#include "Platform/CoreWLAN/Nl80211InterfaceRecord.h"
#include "Platform/CoreWLAN/Nl80211StationRecord.h"
#include "Platform/CoreWLAN/Nl80211SurveyRecord.h"

#include <optional>

#include <QByteArrayView>
#include <QString>

struct nl_msg;

// Reads nl80211 replies. Each decoder takes one generic-netlink message and
// gives no record when a message lacks what identifies one; attributes that
// are missing or too short are left out of the record.
namespace Nl80211Decoding {

std::optional<Nl80211InterfaceRecord> decodeInterface(nl_msg* message);
std::optional<Nl80211StationRecord> decodeStation(nl_msg* message);
std::optional<Nl80211SurveyRecord> decodeSurvey(nl_msg* message);
std::optional<Nl80211BssRecord> decodeBss(nl_msg* message);

// The SSID element (ID 0) of a run of information elements; none when there
// is none, or when it is empty or all zero bytes (a hidden network).
std::optional<QString> ssidFromInformationElements(QByteArrayView elements);

// An SSID as text; none when it is empty or all zero bytes.
std::optional<QString> ssidText(QByteArrayView ssid);

// Six bytes as "aa:bb:cc:dd:ee:ff"; empty for any other length.
QString macAddressText(QByteArrayView address);

} // namespace Nl80211Decoding
