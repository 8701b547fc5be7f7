#pragma once

#include <QByteArray>
#include <QtGlobal>

#include <chrono>

namespace quarvel {

// How the HTTP client asks and how long it waits. The defaults are the program's; tests
// shorten the time-out so a silent server costs them a moment instead of half a minute.
struct HttpClientSettings {
    QByteArray agent = "Mozilla/4.0";
    QByteArray accept = "image/gif, image/x-xbitmap, image/jpeg, image/pjpeg, */*";
    int maxRedirections = 5;
    // Time without any traffic, counted from the start of a request or its last traffic,
    // after which the request is abandoned.
    std::chrono::milliseconds inactivityTimeout{30000};
    // A body beyond this is refused instead of being held in memory.
    qsizetype maxBodyBytes = qsizetype(1) << 20;
};

} // namespace quarvel
