#include "Core/DiagnosticsExport/JSONValue.h"

JSONValue::JSONValue(JSONObject object) : storage_(std::move(object)) {}

bool JSONValue::operator==(const JSONValue& other) const {
    return storage_ == other.storage_;
}
