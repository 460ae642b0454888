#pragma once

#include <cstdint>
#include <utility>
#include <variant>
#include <vector>

#include <QString>

struct JSONMember;

// Members in the order they were added; the writer puts them in key order.
using JSONObject = std::vector<JSONMember>;

// One JSON value of the kinds the diagnostics report uses: no null and no arrays. Integers and
// reals stay apart so that an integer is written exactly and a real in its shortest form.
class JSONValue {
public:
    using Storage = std::variant<bool, std::int64_t, double, QString, JSONObject>;

    explicit JSONValue(bool flag);
    explicit JSONValue(std::int64_t integer);
    explicit JSONValue(double number);
    explicit JSONValue(QString text);
    explicit JSONValue(JSONObject object);
    // A string literal would otherwise become a flag.
    JSONValue(const char*) = delete;

    const Storage& storage() const { return storage_; }

    bool operator==(const JSONValue&) const;

private:
    Storage storage_;
};

struct JSONMember {
    QString key;
    JSONValue value;

    bool operator==(const JSONMember&) const = default;
};

// Defined once a member is a complete type, which the storage's constructors need.
inline JSONValue::JSONValue(bool flag) : storage_(flag) {}
inline JSONValue::JSONValue(std::int64_t integer) : storage_(integer) {}
inline JSONValue::JSONValue(double number) : storage_(number) {}
inline JSONValue::JSONValue(QString text) : storage_(std::move(text)) {}
inline JSONValue::JSONValue(JSONObject object) : storage_(std::move(object)) {}
