#include "Core/CanonicalTextEquality.h"

bool canonicallyEqual(const QString& left, const QString& right) {
    // Identical texts are the common case; only differing ones pay for normalisation.
    return left == right || left.normalized(QString::NormalizationForm_C) ==
                                right.normalized(QString::NormalizationForm_C);
}

bool canonicallyEqual(const std::optional<QString>& left, const std::optional<QString>& right) {
    if (left.has_value() != right.has_value()) {
        return false;
    }
    return !left.has_value() || canonicallyEqual(*left, *right);
}
