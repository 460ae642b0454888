#pragma once

#include <cstdint>
#include <functional>
#include <map>

#include <QString>

// Application-wide notifications by name ("the application became active"),
// delivered synchronously to the observers on the main thread.
class NotificationCenter {
public:
    using Token = std::uint64_t;

    static NotificationCenter& defaultCenter();

    // The application came to the front (posted by the application shell).
    static const QString applicationDidBecomeActive;
    // The wall clock may have moved against the monotonic clock: it was set,
    // or the system woke from a sleep (posted by the wall-clock watcher).
    static const QString systemClockDidChange;

    Token addObserver(const QString& name, std::function<void()> observer);
    void removeObserver(Token token);
    void post(const QString& name);

private:
    struct Registration {
        QString name;
        std::function<void()> observer;
    };

    std::map<Token, Registration> registrations_;
    Token nextToken_ = 1;
};
