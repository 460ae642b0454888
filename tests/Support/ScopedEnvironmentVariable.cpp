#include "Support/ScopedEnvironmentVariable.h"

#include <QtGlobal>

namespace {

void assign(const char* name, const std::optional<QByteArray>& value) {
    if (value) {
        qputenv(name, *value);
    } else {
        qunsetenv(name);
    }
}

} // namespace

ScopedEnvironmentVariable::ScopedEnvironmentVariable(const char* name,
                                                     const std::optional<QByteArray>& value)
    : name_(name) {
    if (qEnvironmentVariableIsSet(name)) {
        previous_ = qgetenv(name);
    }
    assign(name_, value);
}

ScopedEnvironmentVariable::~ScopedEnvironmentVariable() {
    assign(name_, previous_);
}
