#pragma once

#include <optional>

#include <QByteArray>

// Sets (or, given none, removes) an environment variable for its lifetime,
// then restores what was there before.
class ScopedEnvironmentVariable {
public:
    ScopedEnvironmentVariable(const char* name, const std::optional<QByteArray>& value);
    ~ScopedEnvironmentVariable();
    ScopedEnvironmentVariable(const ScopedEnvironmentVariable&) = delete;
    ScopedEnvironmentVariable& operator=(const ScopedEnvironmentVariable&) = delete;

private:
    const char* name_;
    std::optional<QByteArray> previous_;
};
