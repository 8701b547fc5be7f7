#pragma once

#include "net/HttpResponse.h"
#include "reporting/EventPump.h"

#include <QUrl>

namespace quarvel {

// An HTTP/1.1 client that waits for its answer on the caller's thread while keeping the
// caller's window alive through the pump.
class HttpClient {
public:
    virtual ~HttpClient() = default;

    // One GET of url, following redirections. Calls the pump continuously until the answer
    // is in. Returns the final response when its status is below 400, or 401 or 407; throws
    // QuarvelError with the failure's text otherwise, and HttpAborted when Abort() ended it.
    virtual HttpResponse Get(const QUrl& url, EventPump& pump) = 0;

    // Ends the running GET right after the current turn of the pump, with HttpAborted. Meant
    // for a handler that the pump runs, such as the window's close; the client must outlive
    // the GET, so such a handler calls Abort() and leaves any deletion of the client's owner
    // to the outer event loop. Does nothing to a GET started later.
    virtual void Abort() = 0;
};

} // namespace quarvel
