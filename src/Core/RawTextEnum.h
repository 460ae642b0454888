#pragma once

#include <array>
#include <cstddef>
#include <functional>
#include <optional>
#include <ostream>
#include <string_view>
#include <utility>

#include <QAnyStringView>
#include <QByteArrayView>
#include <QHashFunctions>
#include <QString>
#include <QUtf8StringView>

namespace RawTextEnumDetail {

template <std::size_t count>
constexpr bool areDistinct(const std::array<std::string_view, count>& texts) {
    for (std::size_t first = 0; first < count; ++first) {
        for (std::size_t second = first + 1; second < count; ++second) {
            if (texts[first] == texts[second]) {
                return false;
            }
        }
    }
    return true;
}

} // namespace RawTextEnumDetail

// An enumeration whose cases carry texts. `Cases` declares an unscoped `enum Value` whose
// enumerators take their default values (0, 1, 2, ...) and a `rawTexts` array holding the UTF-8
// text of each case in the same order.
//
// Comparison and `switch` work through the implicit conversion to `Value`; a user-declared
// operator== would make `value == Cases::enumerator` ambiguous.
template <class Cases> class RawTextEnum : public Cases {
public:
    using Value = typename Cases::Value;
    static constexpr std::size_t caseCount = Cases::rawTexts.size();

    constexpr RawTextEnum(Value value) : value_(value) {}
    constexpr operator Value() const { return value_; }

    QString rawValue() const {
        const std::string_view text = rawText();
        return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
    }

    // The case whose raw text equals `text` exactly.
    static std::optional<RawTextEnum> fromRawValue(const QString& text) {
        for (const RawTextEnum candidate : allCases()) {
            const std::string_view candidateText = candidate.rawText();
            const QUtf8StringView utf8(candidateText.data(),
                                       static_cast<qsizetype>(candidateText.size()));
            if (QAnyStringView::equal(text, utf8)) {
                return candidate;
            }
        }
        return std::nullopt;
    }

    static constexpr std::array<RawTextEnum, caseCount> allCases() {
        return casesAt(std::make_index_sequence<caseCount>{});
    }

    friend std::size_t qHash(RawTextEnum value, std::size_t seed = 0) noexcept {
        const std::string_view text = value.rawText();
        return qHash(QByteArrayView(text.data(), static_cast<qsizetype>(text.size())), seed);
    }

    // Lets test failures and diagnostics show the raw text.
    friend std::ostream& operator<<(std::ostream& stream, RawTextEnum value) {
        return stream << value.rawText();
    }

private:
    friend struct std::hash<RawTextEnum>;

    template <std::size_t... index>
    static constexpr std::array<RawTextEnum, caseCount> casesAt(std::index_sequence<index...>) {
        return {RawTextEnum(static_cast<Value>(index))...};
    }

    constexpr std::string_view rawText() const {
        return Cases::rawTexts[static_cast<std::size_t>(value_)];
    }

    // Equal cases and equal raw texts must mean the same thing.
    static_assert(RawTextEnumDetail::areDistinct(Cases::rawTexts),
                  "every case needs a raw text of its own");

    Value value_;
};

// A case hashes as its raw text does.
template <class Cases> struct std::hash<RawTextEnum<Cases>> {
    std::size_t operator()(RawTextEnum<Cases> value) const noexcept {
        return std::hash<std::string_view>{}(value.rawText());
    }
};
