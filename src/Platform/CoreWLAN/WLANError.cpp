#include "Platform/CoreWLAN/WLANError.h"

WLANError::WLANError(QString description)
    : description_(std::move(description)), utf8_(description_.toUtf8()) {}
