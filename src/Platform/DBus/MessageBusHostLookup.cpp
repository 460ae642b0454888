#include "Platform/DBus/MessageBusHostLookup.h"

#include <algorithm>
#include <chrono>
#include <cstring>
#include <future>
#include <map>
#include <mutex>
#include <netdb.h>
#include <system_error>
#include <thread>
#include <tuple>

namespace MessageBusHostLookup {

namespace {

using Key = std::tuple<QByteArray, QByteArray, int>;

// Never destroyed: a lookup's thread may outlive the process's static objects.
struct Lookups {
    std::mutex mutex;
    std::map<Key, std::shared_future<SocketAddresses>> inFlight;
};

Lookups& lookups() {
    static auto* const all = new Lookups;
    return *all;
}

SocketAddresses lookUp(const Key& key) {
    const auto& [host, port, family] = key;
    addrinfo hints{};
    hints.ai_family = family;
    hints.ai_socktype = SOCK_STREAM;
    hints.ai_protocol = IPPROTO_TCP;
    hints.ai_flags = AI_ADDRCONFIG;
    addrinfo* found = nullptr;
    SocketAddresses addresses;
    if (::getaddrinfo(host.constData(), port.constData(), &hints, &found) == 0) {
        for (const addrinfo* each = found; each; each = each->ai_next) {
            sockaddr_storage address{};
            std::memcpy(&address, each->ai_addr, each->ai_addrlen);
            addresses.emplace_back(address, each->ai_addrlen);
        }
        ::freeaddrinfo(found);
    }
    return addresses;
}

// The lookup in flight for `key`, started where there is none; none where no
// thread could be started.
std::optional<std::shared_future<SocketAddresses>> lookupFor(const Key& key) {
    Lookups& all = lookups();
    const std::lock_guard lock(all.mutex);
    if (const auto running = all.inFlight.find(key); running != all.inFlight.end()) {
        return running->second;
    }
    std::promise<SocketAddresses> promise;
    std::shared_future<SocketAddresses> lookup = promise.get_future().share();
    try {
        std::thread([promise = std::move(promise), key]() mutable {
            promise.set_value(lookUp(key));
            Lookups& all = lookups();
            const std::lock_guard lock(all.mutex);
            all.inFlight.erase(key);
        }).detach();
    } catch (const std::system_error&) {
        return std::nullopt;
    }
    all.inFlight.emplace(key, lookup);
    return lookup;
}

} // namespace

Result resolve(const QByteArray& host, const QByteArray& port, int family,
               const QDeadlineTimer& deadline) {
    const auto lookup = lookupFor({host, port, family});
    if (!lookup) {
        return {Outcome::notStarted, {}};
    }
    const auto remaining = std::chrono::milliseconds(std::max<qint64>(0, deadline.remainingTime()));
    if (lookup->wait_for(remaining) != std::future_status::ready) {
        return {Outcome::late, {}};
    }
    return {Outcome::found, lookup->get()};
}

} // namespace MessageBusHostLookup
