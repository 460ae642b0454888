#pragma once

// Which routing table a default gateway is read from.
enum class DefaultGatewayAddressFamily { ipv4, ipv6 };
