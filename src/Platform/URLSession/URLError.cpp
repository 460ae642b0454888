#include "Platform/URLSession/URLError.h"

URLError::URLError(Code code, QString description)
    : code_(code), description_(std::move(description)), whatText_(description_.toUtf8()) {}
