#include "Platform/Foundation/NotificationCenter.h"

#include <vector>

const QString NotificationCenter::applicationDidBecomeActive =
    QStringLiteral("ApplicationDidBecomeActive");
const QString NotificationCenter::systemClockDidChange = QStringLiteral("SystemClockDidChange");

NotificationCenter& NotificationCenter::defaultCenter() {
    static NotificationCenter center;
    return center;
}

NotificationCenter::Token NotificationCenter::addObserver(const QString& name,
                                                          std::function<void()> observer) {
    const Token token = nextToken_++;
    registrations_.emplace(token, Registration{name, std::move(observer)});
    return token;
}

void NotificationCenter::removeObserver(Token token) {
    registrations_.erase(token);
}

void NotificationCenter::post(const QString& name) {
    // Observers may add or remove observers while being notified.
    std::vector<Token> tokens;
    for (const auto& [token, registration] : registrations_) {
        if (registration.name == name) {
            tokens.push_back(token);
        }
    }
    for (const Token token : tokens) {
        const auto found = registrations_.find(token);
        if (found != registrations_.end()) {
            const auto observer = found->second.observer;
            observer();
        }
    }
}
