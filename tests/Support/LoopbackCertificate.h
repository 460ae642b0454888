#pragma once

#include <QSslCertificate>
#include <QSslKey>

// A self-signed certificate for 127.0.0.1 (valid for a century) and its
// private key, for TLS servers on loopback.
namespace LoopbackCertificate {

QSslCertificate certificate();
QSslKey privateKey();

} // namespace LoopbackCertificate
