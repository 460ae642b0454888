#include "Platform/AppKit/WindowFrames/LogicalSizeKeeping.h"

#include <algorithm>
#include <cmath>

namespace {

// Qt rounds a device extent to whole pixels at each scale.
bool isSameDeviceExtent(int extent, qreal ratio, int otherExtent, qreal otherRatio) {
    return std::abs(extent * ratio - otherExtent * otherRatio) <= std::max(ratio, otherRatio);
}

} // namespace

void LogicalSizeKeeping::shown(QSize size, qreal ratio) {
    adopt(size, ratio);
    unanswered_.reset();
}

void LogicalSizeKeeping::adopt(QSize size, qreal ratio) {
    size_ = size;
    ratio_ = ratio;
    askedAtRatio_ = 0;
}

std::optional<QSize> LogicalSizeKeeping::seen(QSize size, qreal ratio) {
    if (unanswered_ && (ratio != unansweredAtRatio_ || size == *unanswered_)) {
        unanswered_.reset();
    }
    if (ratio_ == 0 || ratio == ratio_) {
        adopt(size, ratio);
        return std::nullopt;
    }
    const bool isSameDeviceSize = isSameDeviceExtent(size.width(), ratio, size_.width(), ratio_) &&
                                  isSameDeviceExtent(size.height(), ratio, size_.height(), ratio_);
    if (!isSameDeviceSize) {
        adopt(size, ratio);
        return std::nullopt;
    }
    if (askedAtRatio_ == ratio) {
        return std::nullopt;
    }
    askedAtRatio_ = ratio;
    unanswered_ = size_;
    unansweredAtRatio_ = ratio;
    isAskedAgain_ = false;
    return size_;
}

std::optional<QSize> LogicalSizeKeeping::unanswered(QSize size, qreal ratio) {
    if (!unanswered_ || ratio != unansweredAtRatio_ || size == *unanswered_ || isAskedAgain_) {
        return std::nullopt;
    }
    isAskedAgain_ = true;
    return unanswered_;
}
