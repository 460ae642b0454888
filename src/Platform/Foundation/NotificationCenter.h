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
