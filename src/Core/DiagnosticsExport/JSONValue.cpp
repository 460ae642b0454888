#include "Core/DiagnosticsExport/JSONValue.h"

bool JSONValue::operator==(const JSONValue& other) const {
    return storage_ == other.storage_;
}
