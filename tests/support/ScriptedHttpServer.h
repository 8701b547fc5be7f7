#pragma once

#include <QByteArray>
#include <QList>
#include <QMutex>
#include <QString>
#include <QUrl>

#include <atomic>
#include <thread>

class QTcpSocket;

namespace quarvel::test {

// What the server does with one request: sends its pieces in order, then keeps the
// connection for the next request, closes it, or stalls on it until the server stops.
struct ServerReply {
    enum class Then { KeepOpen, Close, Stall };

    QList<QByteArray> pieces;
    int pauseBetweenPiecesMs = 0;
    // Sends nothing until the test calls Release().
    bool waitForRelease = false;
    Then then = Then::KeepOpen;
};

// An HTTP server on 127.0.0.1 for one test, on a thread of its own so it answers while the
// test's thread blocks in a request. Records every request head it receives and answers the
// n-th with the n-th reply, the last reply standing for every later request.
class ScriptedHttpServer {
public:
    explicit ScriptedHttpServer(QList<ServerReply> replies);
    ~ScriptedHttpServer();
    ScriptedHttpServer(const ScriptedHttpServer&) = delete;
    ScriptedHttpServer& operator=(const ScriptedHttpServer&) = delete;

    quint16 Port() const { return port_; }
    // The address of path on this server.
    QUrl Url(const QString& path) const;
    // The bytes of every request head received so far, each through its empty line.
    QList<QByteArray> Requests() const;
    // Lets a reply that waits for release go out.
    void Release() { released_ = true; }

private:
    void Serve(std::atomic<int>& port);
    const ServerReply& ReplyFor(qsizetype requestIndex) const;
    bool SendReply(const ServerReply& reply, QTcpSocket& socket);
    void Pause(int ms) const;

    QList<ServerReply> replies_;
    quint16 port_ = 0;
    mutable QMutex mutex_;
    QList<QByteArray> requests_;
    std::atomic<bool> released_ = false;
    std::atomic<bool> stopping_ = false;
    std::thread thread_;
};

// A port on 127.0.0.1 that nothing listens on.
quint16 ClosedPort();

} // namespace quarvel::test
