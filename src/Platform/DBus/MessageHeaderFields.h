#pragma once

#include <cstdint>
#include <optional>

#include <QByteArrayView>

// The header fields of a message as a bus sends it. A field of a code not
// known yet is passed over by the signature it carries, as a reader must.
namespace MessageHeaderFields {

// The REPLY_SERIAL field of a whole message whose fields end at `fieldsEnd`,
// if it has one; none where a field does not fit its signature.
std::optional<uint32_t> replySerial(QByteArrayView message, qsizetype fieldsEnd, bool isBigEndian);

} // namespace MessageHeaderFields
