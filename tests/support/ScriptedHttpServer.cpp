#include "support/ScriptedHttpServer.h"

#include <QMutexLocker>
#include <QTcpServer>
#include <QTcpSocket>
#include <QThread>

#include <memory>
#include <stdexcept>
#include <vector>

namespace quarvel::test {

namespace {

// How long the server's thread waits for anything before it looks at its stop flag again.
constexpr int WaitStepMs = 10;

bool Connected(const QTcpSocket& socket)
{
    return socket.state() == QAbstractSocket::ConnectedState;
}

} // namespace

ScriptedHttpServer::ScriptedHttpServer(QList<ServerReply> replies)
    : replies_(std::move(replies))
{
    std::atomic<int> port = 0;
    thread_ = std::thread([this, &port] { Serve(port); });
    while (port == 0)
        QThread::msleep(1);
    if (port < 0) {
        stopping_ = true;
        thread_.join();
        throw std::runtime_error("The test's HTTP server cannot listen on 127.0.0.1");
    }
    port_ = quint16(port.load());
}

ScriptedHttpServer::~ScriptedHttpServer()
{
    stopping_ = true;
    thread_.join();
}

QUrl ScriptedHttpServer::Url(const QString& path) const
{
    return QUrl(QStringLiteral("http://127.0.0.1:%1%2").arg(port_).arg(path));
}

QList<QByteArray> ScriptedHttpServer::Requests() const
{
    const QMutexLocker lock(&mutex_);
    return requests_;
}

const ServerReply& ScriptedHttpServer::ReplyFor(qsizetype requestIndex) const
{
    return replies_[qMin(requestIndex, replies_.size() - 1)];
}

void ScriptedHttpServer::Pause(int ms) const
{
    for (int waited = 0; waited < ms && !stopping_; waited += WaitStepMs)
        QThread::msleep(WaitStepMs);
}

// False when the reply leaves the connection unfit for another request.
bool ScriptedHttpServer::SendReply(const ServerReply& reply, QTcpSocket& socket)
{
    while (reply.waitForRelease && !released_ && !stopping_)
        QThread::msleep(1);
    for (qsizetype i = 0; i < reply.pieces.size() && !stopping_; ++i) {
        if (i > 0)
            Pause(reply.pauseBetweenPiecesMs);
        socket.write(reply.pieces[i]);
        while (socket.bytesToWrite() > 0 && Connected(socket))
            socket.waitForBytesWritten(WaitStepMs);
    }
    if (reply.then == ServerReply::Then::Close) {
        socket.disconnectFromHost();
        if (socket.state() != QAbstractSocket::UnconnectedState)
            socket.waitForDisconnected(1000);
    }
    return reply.then == ServerReply::Then::KeepOpen;
}

// One connection is served at a time, as a client with one request in flight needs; a
// connection that stalls is kept open until the server stops.
void ScriptedHttpServer::Serve(std::atomic<int>& port)
{
    QTcpServer server;
    if (!server.listen(QHostAddress::LocalHost, 0)) {
        port = -1;
        return;
    }
    port = server.serverPort();
    std::vector<std::unique_ptr<QTcpSocket>> kept;
    std::unique_ptr<QTcpSocket> socket;
    QByteArray received;
    while (!stopping_) {
        if (server.waitForNewConnection(socket ? 0 : WaitStepMs)) {
            if (socket)
                kept.push_back(std::move(socket));
            socket.reset(server.nextPendingConnection());
            received.clear();
        }
        if (!socket)
            continue;
        if (!socket->waitForReadyRead(WaitStepMs)) {
            if (!Connected(*socket))
                socket.reset();
            continue;
        }
        received += socket->readAll();
        for (qsizetype end = received.indexOf("\r\n\r\n"); socket && end >= 0; end = received.indexOf("\r\n\r\n")) {
            const QByteArray request = received.left(end + 4);
            received.remove(0, end + 4);
            qsizetype index = 0;
            {
                const QMutexLocker lock(&mutex_);
                index = requests_.size();
                requests_.append(request);
            }
            if (!SendReply(ReplyFor(index), *socket)) {
                kept.push_back(std::move(socket));
                received.clear();
            }
        }
    }
}

quint16 ClosedPort()
{
    QTcpServer server;
    server.listen(QHostAddress::LocalHost, 0);
    const quint16 port = server.serverPort();
    server.close();
    return port;
}

} // namespace quarvel::test
