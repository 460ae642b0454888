#include "Core/DiagnosticsExport/JSONDecodingError.h"

#include <utility>

JSONDecodingError::JSONDecodingError(QStringList codingPath, QString debugDescription)
    : codingPath_(std::move(codingPath)), debugDescription_(std::move(debugDescription)),
      what_((debugDescription_ + QStringLiteral(" (at ") + codingPath_.join(u'.') + u')')
                .toStdString()) {}
