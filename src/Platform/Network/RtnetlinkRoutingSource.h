#pragma once

#include "Platform/Network/RoutingStateSource.h"

#include <cstdint>
#include <vector>

// The routing state from the kernel over rtnetlink: one socket subscribed to
// the link, IPv4/IPv6 address and IPv4/IPv6 route groups for changes, one for
// dump requests, and an eventfd that interrupts a wait. The sockets belong to
// the network namespace of the thread that constructs the source.
class RtnetlinkRoutingSource final : public RoutingStateSource {
public:
    RtnetlinkRoutingSource();
    ~RtnetlinkRoutingSource() override;
    RtnetlinkRoutingSource(const RtnetlinkRoutingSource&) = delete;
    RtnetlinkRoutingSource& operator=(const RtnetlinkRoutingSource&) = delete;

    RoutingState readState() override;
    bool waitForChange() override;
    void interrupt() override;

private:
    void open();
    void throwIfNotOpen() const;
    // Dumps links and default routes once; false when the kernel reported
    // that the state changed during the dump.
    bool dumpInto(RoutingState& state);
    bool dump(std::uint16_t type, unsigned char family, RoutingState& state);
    void sendDumpRequest(std::uint16_t type, unsigned char family);
    // Reads every pending notification without blocking; true when one was
    // about routing or the kernel had to drop some.
    bool drainNotifications();

    int eventSocket_ = -1;
    int requestSocket_ = -1;
    int wakeDescriptor_ = -1;
    int openError_ = 0;
    std::uint32_t sequence_ = 0;
    std::vector<char> buffer_;
};
