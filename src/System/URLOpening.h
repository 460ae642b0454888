#pragma once

#include <QUrl>

// Opens a URL.
class URLOpening {
public:
    virtual ~URLOpening() = default;

    // Whether the URL was opened.
    virtual bool open(const QUrl& url) = 0;
};
