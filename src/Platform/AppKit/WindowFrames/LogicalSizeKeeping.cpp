#include "Platform/AppKit/WindowFrames/LogicalSizeKeeping.h"

#include <algorithm>
#include <cmath>

namespace {

// Qt rounds a device extent to whole pixels at each scale.
bool isSameDeviceExtent(qreal extent, qreal otherExtent, qreal tolerance) {
    return std::abs(extent - otherExtent) <= tolerance;
}

bool isSameDeviceSize(QSize size, qreal ratio, QSize otherSize, qreal otherRatio) {
    const qreal tolerance = std::max(ratio, otherRatio);
    return isSameDeviceExtent(size.width() * ratio, otherSize.width() * otherRatio, tolerance) &&
           isSameDeviceExtent(size.height() * ratio, otherSize.height() * otherRatio, tolerance);
}

// `device` held to limits given in Qt's pixels at `ratio`; a maximum of
// none or less is none.
qreal heldExtent(int device, int minimum, int maximum, qreal ratio) {
    const qreal held = std::max(qreal(device), std::max(minimum, 0) * ratio);
    return maximum > 0 ? std::min(held, std::max(minimum, maximum) * ratio) : held;
}

} // namespace

void LogicalSizeKeeping::shown(QSize size, qreal ratio, QSize minimum, QSize maximum) {
    minimum_ = minimum;
    maximum_ = maximum;
    ratio_ = 0;
    adopt(size, ratio);
    deviceBefore_.reset();
    filledAtRatio_ = 0;
    filledSize_ = {};
    unanswered_.reset();
    isAskedAgain_ = false;
}

void LogicalSizeKeeping::adopt(QSize size, qreal ratio) {
    if (ratio_ != 0 && ratio != ratio_) {
        deviceBefore_ = (QSizeF(size_) * ratio_).toSize();
        isAskedAgain_ = false;
    }
    size_ = size;
    ratio_ = ratio;
    askedAtRatio_ = 0;
}

std::optional<QSize> LogicalSizeKeeping::seen(QSize size, qreal ratio) {
    if (unanswered_ && (ratio != unansweredAtRatio_ || size == *unanswered_)) {
        unanswered_.reset();
    }
    if (size == filledSize_ && ratio == filledSizeRatio_) {
        return std::nullopt;
    }
    if (ratio_ != 0 && ratio != ratio_ && isSameDeviceSize(size, ratio, size_, ratio_)) {
        if (askedAtRatio_ == ratio) {
            return std::nullopt;
        }
        askedAtRatio_ = ratio;
        unanswered_ = size_;
        unansweredAtRatio_ = ratio;
        isAskedAgain_ = false;
        return size_;
    }
    if (ratio_ != 0 && !isAskedAgain_ && isHeldByManager(size, ratio)) {
        // Asked for once the window is still: while the drag goes on the
        // manager drops the request or gives the same size again.
        unanswered_ = size_;
        unansweredAtRatio_ = ratio;
        return std::nullopt;
    }
    adopt(size, ratio);
    return std::nullopt;
}

// At the device size the window had before the change of scale or has now,
// held to its size limits at a scale it had across that change: not a size
// of the window's own.
bool LogicalSizeKeeping::isHeldByManager(QSize size, qreal ratio) const {
    if (size == size_) {
        return false;
    }
    const QSize now = (QSizeF(size_) * ratio_).toSize();
    for (const QSize device : {now, deviceBefore_.value_or(now)}) {
        for (const qreal limitsRatio : {ratio, ratio_, askedAtRatio_, filledAtRatio_}) {
            if (limitsRatio == 0) {
                continue;
            }
            const QSizeF held(
                heldExtent(device.width(), minimum_.width(), maximum_.width(), limitsRatio),
                heldExtent(device.height(), minimum_.height(), maximum_.height(), limitsRatio));
            // Its size now, unheld: a size near it is the user's.
            if (device == now && held == QSizeF(now)) {
                continue;
            }
            const qreal tolerance = std::max(ratio, limitsRatio);
            if (isSameDeviceExtent(size.width() * ratio, held.width(), tolerance) &&
                isSameDeviceExtent(size.height() * ratio, held.height(), tolerance)) {
                return true;
            }
        }
    }
    return false;
}

std::optional<QSize> LogicalSizeKeeping::unanswered(QSize size, qreal ratio) const {
    if (!unanswered_ || ratio != unansweredAtRatio_ || size == *unanswered_ || isAskedAgain_) {
        return std::nullopt;
    }
    return unanswered_;
}

void LogicalSizeKeeping::filling(QSize size, qreal ratio) {
    filledSize_ = size;
    filledSizeRatio_ = ratio;
    if (ratio != ratio_) {
        filledAtRatio_ = ratio;
    }
}

void LogicalSizeKeeping::askedAgain() {
    isAskedAgain_ = true;
}
