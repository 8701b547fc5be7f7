#pragma once

#include <QByteArray>
#include <QString>

namespace quarvel {

// The response a GET ended with: after the redirections it followed, the last one.
struct HttpResponse {
    int statusCode = 0;
    // The rest of the status line after the code and one blank, as the server sent it.
    QString reasonPhrase;
    QByteArray body;
};

} // namespace quarvel
