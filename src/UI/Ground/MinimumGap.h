#pragma once

#include <algorithm>

#include <QBoxLayout>

// A gap of at least `minimumLength` between the item before it and the one
// after it (if any) in a row or column whose items are `layout.spacing()`
// apart, as though the gap were an item of its own: the spacing on both of its
// sides is kept. Qt puts no spacing next to a spacer item, so the leading
// spacing is added to the gap here; the next item brings the trailing one.
inline void addMinimumGap(QBoxLayout& layout, int minimumLength) {
    layout.addSpacing(std::max(0, layout.spacing()) + minimumLength);
}
